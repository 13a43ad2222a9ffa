#pragma once
// The skin component's stand-in (support/probe/skin_probe_server.cpp, built
// as t:\skin_probe.dll) registered for the tests that load it.
#include <string>
#include <vector>

namespace testsupport {

// Registers t:\skin_probe.dll as the skin component for the current user
// and points its call log at a scratch file; both go with the object.
class SkinProbe {
public:
    SkinProbe();
    ~SkinProbe();
    SkinProbe(const SkinProbe&) = delete;
    SkinProbe& operator=(const SkinProbe&) = delete;

    // Makes one method fail ("attach", "automation", "load"), or none ("").
    void Fail(const char* method);
    void WithoutAutomation(bool without);
    // The calls recorded so far, one per line.
    std::vector<std::string> Calls() const;
    void ClearCalls() const;

private:
    std::string log_;
};

inline std::string LastLine(const std::vector<std::string>& lines) { return lines.empty() ? "" : lines.back(); }

}  // namespace testsupport
