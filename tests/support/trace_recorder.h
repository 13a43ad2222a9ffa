#pragma once
// Records what the code under test tells developers on the debugger's output
// (platform::Trace and everything else that calls OutputDebugStringA), from
// every thread, while the object lives. One recorder at a time.
#include <windows.h>

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

class TraceRecorder {
public:
    TraceRecorder();
    ~TraceRecorder();
    TraceRecorder(const TraceRecorder&) = delete;
    TraceRecorder& operator=(const TraceRecorder&) = delete;

    // The lines so far, without their line ends.
    std::vector<std::string> Lines() const;
    // True when a line holds every one of the texts.
    bool Saw(std::initializer_list<std::string_view> texts) const;

private:
    static LONG CALLBACK Handler(EXCEPTION_POINTERS* info);

    PVOID handler_ = nullptr;
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

}  // namespace testsupport
