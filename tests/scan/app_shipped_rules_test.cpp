// The program's own rules over a synthetic profile of a modern PC.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>

#include "scan/app_catalog.h"
#include "scan/app_plan.h"
#include "scan/app_search.h"
#include "scan/app_survey.h"
#include "support/app_profile.h"
#include "support/scratch.h"

namespace {

TEST(ShippedAppRules, FindEveryCacheOfTheProfileAndNothingPeopleKeep) {
    const scan::RuleFile shipped = scan::ReadRuleFile(testsupport::ShippedRulesPath());
    ASSERT_EQ(shipped.refused, scan::FileRefusal::None);
    EXPECT_TRUE(shipped.skipped.empty()) << shipped.skipped.front().name;
    EXPECT_EQ(shipped.rulesWithRegistryKeys, 0u);

    const std::string root = testsupport::NewScratchFolder("shippedprofile") + "\\Users\\someone";
    testsupport::LayProfile(root, testsupport::SyntheticProfileFiles());
    const scan::AppRulePlanner planner(testsupport::ProfileFolders(root), 1000);
    const scan::SkipTexts skipTexts({}, scan::AnsiLowerCase::Instance());
    std::multiset<std::string> found;
    for (const scan::AppRule& rule : shipped.rules) {
        SCOPED_TRACE(rule.name);
        // Named "Application: kind", so that the page shows it in its group.
        EXPECT_NE(scan::KindOfRule(rule.name, rule.application), rule.name);
        if (!planner.Present(rule)) continue;
        const scan::RulePlan plan = planner.Plan(rule);
        EXPECT_EQ(plan.refusal, scan::PlanRefusal::None) << plan.refusedFolder;
        scan::SearchRule(plan, skipTexts, {}, [&](const scan::SearchHit& hit) {
            if (hit.reason) found.insert(std::string(hit.path.substr(root.size() + 1)));
            return true;
        });
    }
    std::multiset<std::string> caches;
    for (const testsupport::ProfileFile& file : testsupport::SyntheticProfileFiles()) {
        if (file.cache) caches.insert(file.path);
    }
    // Each cache once, and nothing else.
    EXPECT_EQ(found, caches);
}

}  // namespace
