#include "scan/app_catalog.h"

#include <algorithm>

#include "paths/module_paths.h"
#include "platform/codepage.h"

namespace scan {

std::vector<const AppRule*> AppRuleFiles::Rules() const {
    std::vector<const AppRule*> rules;
    rules.reserve(own.rules.size() + community.rules.size());
    for (const AppRule& rule : own.rules) rules.push_back(&rule);
    for (const AppRule& rule : community.rules) rules.push_back(&rule);
    return rules;
}

AppRuleFiles LoadAppRuleFiles(const std::string& ownPath, const std::string& communityPath) {
    AppRuleFiles files{ReadRuleFile(ownPath), ReadRuleFile(communityPath)};
    std::vector<std::string> ownNames;
    for (const AppRule& rule : files.own.rules) ownNames.push_back(platform::LowerAnsi(rule.name));
    std::erase_if(files.community.rules, [&](const AppRule& rule) {
        if (std::find(ownNames.begin(), ownNames.end(), platform::LowerAnsi(rule.name)) == ownNames.end()) {
            return false;
        }
        files.community.skipped.push_back({rule.name, 0, EntryProblem::Duplicate});
        if (rule.registryKeys > 0) --files.community.rulesWithRegistryKeys;
        return true;
    });
    return files;
}

std::string OwnRulesPath() { return paths::BesideModule(kOwnRulesExtension); }

std::string CommunityRulesPath() { return paths::ModuleDirectory() + "\\" + kCommunityRulesName; }

AppRuleFiles LoadAppRuleFiles() { return LoadAppRuleFiles(OwnRulesPath(), CommunityRulesPath()); }

std::vector<AppRule> SelectRules(const AppRuleFiles& files, const std::vector<std::string>& names) {
    std::vector<std::string> wanted;
    for (const std::string& name : names) wanted.push_back(platform::LowerAnsi(name));
    std::vector<AppRule> selected;
    for (const AppRule* rule : files.Rules()) {
        if (std::find(wanted.begin(), wanted.end(), platform::LowerAnsi(rule->name)) != wanted.end()) {
            selected.push_back(*rule);
        }
    }
    return selected;
}

}  // namespace scan
