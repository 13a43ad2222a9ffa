#include "support/ui/switches_scope.h"

namespace testsupport {

SwitchesScope::SwitchesScope(const char* commandLine) : saved_(ui::CommandLineSwitches::Instance()) {
    ui::CommandLineSwitches::Instance() = ui::CommandLineSwitches::Parse(commandLine);
}

SwitchesScope::~SwitchesScope() { ui::CommandLineSwitches::Instance() = saved_; }

}  // namespace testsupport
