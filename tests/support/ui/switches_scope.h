#pragma once
// The process-wide command-line switches, set for a scope and put back after.
#include "ui/command_line_switches.h"

namespace testsupport {

class SwitchesScope {
public:
    explicit SwitchesScope(const char* commandLine);
    ~SwitchesScope();
    SwitchesScope(const SwitchesScope&) = delete;
    SwitchesScope& operator=(const SwitchesScope&) = delete;

private:
    ui::CommandLineSwitches saved_;
};

}  // namespace testsupport
