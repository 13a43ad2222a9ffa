#pragma once
// Environment variables of this process changed for the lifetime of the
// object, and put back as they were (or removed) when it goes.
#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

class EnvironmentOverride {
public:
    EnvironmentOverride() = default;
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

    void Set(const char* name, const std::string& value) {
        char old[4096] = {};
        const DWORD n = ::GetEnvironmentVariableA(name, old, sizeof old);
        saved_.push_back({name, old, n != 0});
        ::SetEnvironmentVariableA(name, value.c_str());
    }
    ~EnvironmentOverride() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            ::SetEnvironmentVariableA(it->name, it->had ? it->value.c_str() : nullptr);
        }
    }

private:
    struct Saved {
        const char* name;
        std::string value;
        bool had;
    };
    std::vector<Saved> saved_;
};

}  // namespace testsupport
