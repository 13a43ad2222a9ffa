#pragma once
// The rule files beside the program: its own rules, and a community rule
// file the user put there.
#include <string>
#include <vector>

#include "scan/app_rules.h"

namespace scan {

// The program's own rules: <program folder>\<program base name>.rules.ini.
inline constexpr const char* kOwnRulesExtension = ".rules.ini";
// A community rule file the user adds beside the program.
inline constexpr const char* kCommunityRulesName = "winapp2.ini";

// Where the running program's two rule files are.
std::string OwnRulesPath();
std::string CommunityRulesPath();

struct AppRuleFiles {
    RuleFile own;
    RuleFile community;

    // Every rule once, the program's own first, then the community's in
    // file order.
    std::vector<const AppRule*> Rules() const;
};

// Reads both files. A community entry named like one of the program's own
// is passed over as a duplicate.
AppRuleFiles LoadAppRuleFiles(const std::string& ownPath, const std::string& communityPath);
// The same for the files beside the running program.
AppRuleFiles LoadAppRuleFiles();

// Copies of the rules whose names are listed (compared ignoring case), in
// the files' order.
std::vector<AppRule> SelectRules(const AppRuleFiles& files, const std::vector<std::string>& names);

}  // namespace scan
