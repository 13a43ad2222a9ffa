// The scan job with application rules: after the walk, each file once.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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
    };
    const Case cases[] = {
        {"no drive selected; the skip folders hold, but not those of application data",
         false,
         {"\\AppData\\", "\\Application Data\\", "\\Local Settings\\", "\\sub\\"},
         {"AppData\\Local\\CrashDumps\\app.dmp|Windows: crash dumps", "AppData\\Local\\Tool\\Cache\\a.bin|Tool: cache",
          "AppData\\Local\\Tool\\Cache\\b.tmp|Tool: cache", "AppData\\Local\\Tool\\settings.ini|Tool: everything",
          "AppData\\Local\\WER\\ReportArchive\\r1\\Report.wer|Windows: error reports"}},
        {"the walk finds first, the rules add what it did not",
         true,
         {},
         {"AppData\\Local\\CrashDumps\\app.dmp|Windows: crash dumps", "AppData\\Local\\CrashDumps\\old.tmp|Temporary file",
          "AppData\\Local\\Tool\\Cache\\a.bin|Tool: cache", "AppData\\Local\\Tool\\Cache\\b.tmp|Temporary file",
          "AppData\\Local\\Tool\\Cache\\sub\\c.bin|Tool: cache", "AppData\\Local\\Tool\\settings.ini|Tool: everything",
          "AppData\\Local\\WER\\ReportArchive\\r1\\Report.wer|Windows: error reports"}},
    };
    for (const Case& c : cases) {
        scan::ScanRequest request;
        if (c.walkTheProfile) request.paths = {root};
        request.junkTypes = {{"*.tmp", "Temporary file"}};
        request.skipFolders = c.skipFolders;
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

}  // namespace
