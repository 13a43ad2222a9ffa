#pragma once
// Settings documents for tests that write their own: whole documents from
// typed values, and the pieces they are made of.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings.h"

namespace testsupport {

// One value set of a settings document (the factory or the user values).
struct SettingsValues {
    int32_t showWelcome = 0;
    config::SearchOptions search;
    std::vector<config::JunkType> junkTypes;
    std::vector<config::SkipFolder> skipFolders;
    config::CleanOptions clean;
    config::AdvCleanOptions traces{};
    std::vector<config::KeptEntry> keepList;
};

// A whole settings document: the factory values in the attributes "default"
// and "monthdefault" and in the sections JunkFiles/Default and
// SkipFolders/default, the user values in the others, and the selection.
std::string SettingsDocumentXml(const SettingsValues& factory, const SettingsValues& user,
                                const std::vector<std::string>& selectedPaths = {});

// <Name default="factory" custom="custom"/>
std::string SettingXml(std::string_view name, std::string_view custom, std::string_view factory = "0");
std::string SettingXml(std::string_view name, int custom, int factory = 0);

// The <AdvCleanOpt> element with the thirteen trace switches, in order.
std::string TraceSwitchesXml(const config::AdvCleanOptions& custom, const config::AdvCleanOptions& factory = {});

}  // namespace testsupport
