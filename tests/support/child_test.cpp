#include "support/child_test.h"

#include "platform/handle.h"
#include "support/environment_override.h"

namespace testsupport {

DWORD RunTestInChild(const std::string& testName, const std::vector<std::pair<const char*, std::string>>& variables) {
    EnvironmentOverride environment;
    for (const auto& [name, value] : variables) environment.Set(name, value);
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" --gtest_also_run_disabled_tests --gtest_filter=" + testName;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return ::GetLastError();
    }
    platform::UniqueHandle process(info.hProcess);
    ::CloseHandle(info.hThread);
    ::WaitForSingleObject(process.Get(), INFINITE);
    DWORD code = 1;
    ::GetExitCodeProcess(process.Get(), &code);
    return code;
}

std::string EnvironmentValue(const char* name) {
    char value[4096] = {};
    const DWORD n = ::GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

}  // namespace testsupport
