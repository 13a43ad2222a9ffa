#pragma once
// What the Applications page shows: the rules whose application is on this
// computer, grouped by application, and what each would free now. Runs on a
// worker thread and reports through a sink; it never waits for whoever
// shows the reports.
#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

#include "scan/app_folders.h"
#include "scan/app_plan.h"
#include "scan/app_rules.h"
#include "scan/app_search.h"

namespace scan {

struct SurveyRequest {
    std::string ownRulesPath;
    std::string communityRulesPath;
    AppFolders folders;
    int windowsVersion = 0;
    // The checked skip folders and the search switches, as a scan takes them.
    std::vector<std::string> skipFolders;
    SearchSwitches switches;
};

struct SurveyedRule {
    std::string name;         // what the settings store and the report shows
    std::string application;  // the group it is shown in
    std::string kind;         // what it is shown as within the group
    PlanRefusal refusal = PlanRefusal::None;
    bool registryKeys = false;  // it also names registry keys, which are not run
};

// What the page says of the two rule files.
struct SurveyedFiles {
    FileRefusal own = FileRefusal::None;
    FileRefusal community = FileRefusal::None;
    size_t communityRules = 0;
    size_t communitySkipped = 0;
    size_t communityWithRegistryKeys = 0;
};

class SurveySink {
public:
    virtual ~SurveySink() = default;
    // The present rules, ordered by application (ignoring case) and, within
    // one, as the files list them. Called once, first.
    virtual void Listed(std::vector<SurveyedRule> rules, SurveyedFiles files) = 0;
    // The size of the rule at index, for every rule that is not refused, in
    // order.
    virtual void Measured(size_t index, const RuleSize& size) = 0;
    // Every rule is measured: the last call of a survey that was not stopped.
    virtual void Finished() = 0;
};

// Lists, then measures. A non-zero stop flag ends it at the next file.
void SurveyApps(const SurveyRequest& request, SurveySink& sink, const std::atomic<int>& stop);

// The part of a rule's name that tells its kind of data within its
// application: "cache" for "Google Chrome: cache"; the whole name when it
// does not start with the application's.
std::string KindOfRule(const std::string& name, const std::string& application);

}  // namespace scan
