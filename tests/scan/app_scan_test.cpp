// The scan job with application rules: after the walk, each file once.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "scan/app_search.h"
#include "scan/scan_job.h"
#include "support/app_profile.h"
#include "support/scratch.h"

namespace {

class QuietProgress : public platform::JobProgress {
public:
    std::function<void(const std::string&)> onStatus;
    void SetStatus(const std::string& text) override {
        if (onStatus) onStatus(text);
    }
    void SetCount(uint64_t) override {}
    void SetRange(uint32_t) override {}
    void SetPosition(int) override {}
};

TEST(AppScan, RulesRunAfterTheWalkAndEachFileIsFoundOnce) {
    const std::string root = testsupport::NewScratchFolder("appscan") + "\\Users\\someone";
    const std::string local = root + "\\AppData\\Local";
    testsupport::LayProfile(root, {{"AppData\\Local\\CrashDumps\\app.dmp", true},
                                   {"AppData\\Local\\CrashDumps\\old.tmp", false},
                                   {"AppData\\Local\\Tool\\Cache\\a.bin", true},
                                   {"AppData\\Local\\Tool\\Cache\\b.tmp", true},
                                   {"AppData\\Local\\Tool\\Cache\\sub\\c.bin", true},
                                   {"AppData\\Local\\Tool\\settings.ini", true},
                                   {"AppData\\Local\\WER\\ReportArchive\\r1\\Report.wer", true}});
    const scan::RuleFile rules = scan::ParseRuleText(
        "[Windows: crash dumps]\nFileKey1=%LocalAppData%\\CrashDumps|*.dmp\n"
        "[Tool: cache]\nFileKey1=%LocalAppData%\\Tool\\Cache|*.*|RECURSE\n"
        "[Tool: everything]\nFileKey1=%LocalAppData%\\Tool|*.*|RECURSE\n"
        "[Windows: error reports]\nFileKey1=%LocalAppData%\\WER\\ReportArchive\\*|*.*|REMOVESELF\n"
        "[Everything]\nFileKey1=%UserProfile%|*.*|RECURSE\n",
        "test.ini");
    ASSERT_EQ(rules.rules.size(), 5u);

    struct Case {
        const char* what;
        bool walkTheProfile;
        std::vector<std::string> skipFolders;
        std::vector<std::string> found;  // "path below the profile|found as", sorted
        scan::KeepPaths keep;           // below the profile
    };
    const Case cases[] = {
        {"no drive selected; the skip folders hold, but not those of application data",
         false,
         {"\\AppData\\", "\\Application Data\\", "\\Local Settings\\", "\\sub\\"},
         {"AppData\\Local\\CrashDumps\\app.dmp|Windows: crash dumps", "AppData\\Local\\Tool\\Cache\\a.bin|Tool: cache",
          "AppData\\Local\\Tool\\Cache\\b.tmp|Tool: cache", "AppData\\Local\\Tool\\settings.ini|Tool: everything",
          "AppData\\Local\\WER\\ReportArchive\\r1\\Report.wer|Windows: error reports"},
         {}},
        {"the walk finds first, the rules add what it did not",
         true,
         {},
         {"AppData\\Local\\CrashDumps\\app.dmp|Windows: crash dumps", "AppData\\Local\\CrashDumps\\old.tmp|Temporary file",
          "AppData\\Local\\Tool\\Cache\\a.bin|Tool: cache", "AppData\\Local\\Tool\\Cache\\b.tmp|Temporary file",
          "AppData\\Local\\Tool\\Cache\\sub\\c.bin|Tool: cache", "AppData\\Local\\Tool\\settings.ini|Tool: everything",
          "AppData\\Local\\WER\\ReportArchive\\r1\\Report.wer|Windows: error reports"},
         {}},
        {"what the user always keeps, no rule finds",
         false,
         {},
         {"AppData\\Local\\CrashDumps\\app.dmp|Windows: crash dumps", "AppData\\Local\\Tool\\Cache\\b.tmp|Tool: cache",
          "AppData\\Local\\Tool\\settings.ini|Tool: everything"},
         {{"AppData\\Local\\Tool\\Cache\\A.BIN"}, {"AppData\\Local\\Tool\\Cache\\sub", "AppData\\Local\\WER"}}},
    };
    for (const Case& c : cases) {
        scan::ScanRequest request;
        if (c.walkTheProfile) request.paths = {root};
        request.junkTypes = {{"*.tmp", "Temporary file"}};
        request.skipFolders = c.skipFolders;
        for (const std::string& file : c.keep.files) request.keep.files.push_back(root + "\\" + file);
        for (const std::string& folder : c.keep.folders) request.keep.folders.push_back(root + "\\" + folder);
        request.appRules = rules.rules;
        request.appFolders = testsupport::ProfileFolders(root);
        request.windowsVersion = 1000;
        QuietProgress progress;
        platform::StopFlag stop{0};
        const scan::ScanResult result = scan::RunScan(request, progress, stop);
        EXPECT_TRUE(result.completed) << c.what;
        std::vector<std::string> found;
        for (size_t i = 0; i < result.findings.Count(); ++i) {
            found.push_back(result.findings.Path(i).substr(root.size() + 1) + "|" + result.findings.FoundAs(i));
        }
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, c.found) << c.what;
        EXPECT_EQ(result.foldersToRemove, std::vector<std::string>{local + "\\WER\\ReportArchive\\r1"}) << c.what;
    }

    // A stop while the rules run ends the scan with what was found so far.
    scan::ScanRequest request;
    request.appRules = rules.rules;
    request.appFolders = testsupport::ProfileFolders(root);
    QuietProgress progress;
    platform::StopFlag stop{0};
    progress.onStatus = [&](const std::string& text) {
        if (text.find("\\Tool\\Cache") != std::string::npos) stop = 1;
    };
    const scan::ScanResult stopped = scan::RunScan(request, progress, stop);
    EXPECT_FALSE(stopped.completed);
    EXPECT_LT(stopped.findings.Count(), 5u);
}

// Only a rule whose folders meet earlier ones, or the walk's findings, has
// its files checked against those found before.
TEST(AppScan, ARuleMayMeetAFileAgainOnlyWhereItsFoldersMeetEarlierOnes) {
    const scan::FileKey plain, recursive{"", {"*"}, true, false};
    struct Case {
        const char* what;
        std::vector<std::string> foundIn;
        std::vector<std::pair<std::string, bool>> earlier;  // folder, with subfolders
        std::vector<std::pair<std::string, bool>> plan;
        bool again;
    };
    const Case cases[] = {
        {"apart", {"c:\\a\\x"}, {{"c:\\a\\b", true}}, {{"C:\\A\\C", true}, {"c:\\a\\bb", false}}, false},
        {"a folder met twice in one rule", {}, {}, {{"c:\\a\\c", false}, {"C:\\A\\C", false}}, true},
        {"below a folder searched with its subfolders", {}, {{"c:\\a", true}}, {{"c:\\a\\c", false}}, true},
        {"above a folder searched before", {}, {{"c:\\a\\c\\d", false}}, {{"c:\\a", true}}, true},
        {"beside a folder searched without its subfolders", {}, {{"c:\\a", false}}, {{"c:\\a\\c", true}}, false},
        {"the walk found files there", {"c:\\a\\c"}, {}, {{"C:\\a\\C", false}}, true},
        {"the walk found files below", {"c:\\a\\c\\d\\e"}, {}, {{"c:\\a\\c", true}}, true},
        {"the walk found files only below, not searched", {"c:\\a\\c\\d"}, {}, {{"c:\\a\\c", false}}, false},
    };
    auto planOf = [&](const std::vector<std::pair<std::string, bool>>& folders) {
        scan::RulePlan plan;
        for (const auto& [folder, subfolders] : folders) {
            plan.folders.push_back({folder, subfolders ? &recursive : &plain});
        }
        return plan;
    };
    for (const Case& c : cases) {
        scan::SearchedFolders searched(c.foundIn);
        EXPECT_FALSE(searched.MayMeetAgain(planOf(c.earlier))) << c.what;
        EXPECT_EQ(searched.MayMeetAgain(planOf(c.plan)), c.again) << c.what;
    }
}

}  // namespace
