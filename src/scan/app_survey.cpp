#include "scan/app_survey.h"

#include <algorithm>

#include "platform/codepage.h"
#include "scan/app_catalog.h"
#include "scan/lower_case.h"
#include "scan/skip_texts.h"

namespace scan {

std::string KindOfRule(const std::string& name, const std::string& application) {
    const std::string prefix = application + ": ";
    if (name.size() > prefix.size() && platform::LowerAnsi(name.substr(0, prefix.size())) == platform::LowerAnsi(prefix)) {
        return name.substr(prefix.size());
    }
    return name;
}

void SurveyApps(const SurveyRequest& request, SurveySink& sink, const std::atomic<int>& stop) {
    const AppRuleFiles files = LoadAppRuleFiles(request.ownRulesPath, request.communityRulesPath);
    const AppRulePlanner planner(request.folders, request.windowsVersion);

    struct Entry {
        const AppRule* rule;
        std::string groupKey;
        RulePlan plan;
    };
    std::vector<Entry> entries;
    for (const AppRule* rule : files.Rules()) {
        if (stop.load() != 0) return;
        if (!planner.Present(*rule)) continue;
        entries.push_back({rule, platform::LowerAnsi(rule->application), planner.Plan(*rule)});
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.groupKey < b.groupKey; });

    std::vector<SurveyedRule> listed;
    for (const Entry& e : entries) {
        listed.push_back({e.rule->name, e.rule->application, KindOfRule(e.rule->name, e.rule->application),
                          e.plan.refusal, e.rule->registryKeys > 0});
    }
    SurveyedFiles summary{files.own.refused, files.community.refused, files.community.rules.size(),
                          files.community.skipped.size(), files.community.rulesWithRegistryKeys};
    sink.Listed(std::move(listed), summary);

    const SkipTexts skipTexts(SkipFoldersForRules(request.skipFolders), AnsiLowerCase::Instance());
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].plan.refusal != PlanRefusal::None) continue;
        const RuleSize size = MeasureRule(entries[i].plan, skipTexts, request.switches, stop);
        if (!size.completed) return;
        sink.Measured(i, size);
    }
    sink.Finished();
}

}  // namespace scan
