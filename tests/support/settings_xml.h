#pragma once
// Pieces of settings documents for tests that write their own.
#include <string>
#include <string_view>

#include "config/settings.h"

namespace testsupport {

// <Name default="factory" custom="custom"/>
std::string SettingXml(std::string_view name, std::string_view custom, std::string_view factory = "0");
std::string SettingXml(std::string_view name, int custom, int factory = 0);

// The <AdvCleanOpt> element with the thirteen trace switches, in order.
std::string TraceSwitchesXml(const config::AdvCleanOptions& custom, const config::AdvCleanOptions& factory = {});

}  // namespace testsupport
