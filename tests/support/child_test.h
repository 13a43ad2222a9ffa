#pragma once
// One test of this test program run in a second process, for what only a
// process of its own can show: a bin settled once per process, or a process
// killed half way through its work.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// Runs the (disabled) test of the given full name in a new process of this
// program, with the environment variables set for it, and waits for its end
// (CTest's timeout bounds a hang). Returns its exit code, or the error of
// starting it.
DWORD RunTestInChild(const std::string& testName, const std::vector<std::pair<const char*, std::string>>& variables);

// The value of an environment variable; empty when it is not set.
std::string EnvironmentValue(const char* name);

}  // namespace testsupport
