// Application rules from the scan to the log, over a synthetic profile that
// holds links (e:\fixtures\appprofile, laid by the test bed): every cache is
// backed up, cleaned and logged under its rule, every file people keep
// stays, and so does what a link leads to.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <set>
#include <string>

#include "clean/backup_layout.h"
#include "clean/clean_job.h"
#include "clean/clean_log.h"
#include "job_bed.h"
#include "platform/handle.h"
#include "scan/app_catalog.h"
#include "scan/scan_job.h"
#include "support/app_profile.h"
#include "support/scratch.h"
#include "support/text_lines.h"

namespace {

using testsupport::FileExists;
using testsupport::FolderExists;

constexpr const char* kProfile = "e:\\fixtures\\appprofile";

class QuietProgress : public platform::JobProgress {
public:
    void SetStatus(const std::string&) override {}
    void SetCount(uint64_t) override {}
    void SetRange(uint32_t) override {}
    void SetPosition(int) override {}
};

bool IsSpotify(const std::string& path) { return path.find("\\Spotify\\") != std::string::npos; }

TEST(AppRulesClean, TheShippedRulesCleanEveryCacheAndNothingElse) {
    // The profile around the fixture's links. Its Spotify folder is a link,
    // which the Spotify rule must refuse: nothing is laid through it.
    std::vector<testsupport::ProfileFile> files;
    for (const testsupport::ProfileFile& file : testsupport::SyntheticProfileFiles()) {
        if (!IsSpotify(file.path)) files.push_back(file);
    }
    testsupport::LayProfile(kProfile, files);
    const std::string held = std::string(kProfile) + "\\AppData\\Roaming\\discord\\Cache\\Cache_Data\\data_0";
    const std::string changed = std::string(kProfile) + "\\AppData\\Local\\D3DSCache\\5a6b\\0a1b.idx";
    const std::string chromeCache = "AppData\\Local\\Google\\Chrome\\User Data\\Default\\Cache\\Cache_Data\\";

    testsupport::ProgramPlace place("appclean");
    cleantest::WriteSettings(place, cleantest::JobSettings().Backup().Delete());
    scan::ScanRequest request;
    // The factory skip folders keep the walk out of application data, not
    // the rules.
    request.skipFolders = {":\\windows\\", "\\appdata\\", "\\application data\\", "\\local settings\\",
                           "\\data\\tooljunksweep\\backup"};
    request.appRules = scan::ReadRuleFile(testsupport::ShippedRulesPath()).rules;
    request.appFolders = testsupport::ProfileFolders(kProfile);
    request.windowsVersion = 1000;
    QuietProgress progress;
    platform::StopFlag stop{0};
    scan::ScanResult scanned = scan::RunScan(request, progress, stop);
    ASSERT_TRUE(scanned.completed);

    std::map<std::string, std::string> foundAs;  // below the profile
    for (size_t i = 0; i < scanned.findings.Count(); ++i) {
        foundAs[scanned.findings.Path(i).substr(std::string(kProfile).size() + 1)] = scanned.findings.FoundAs(i);
    }
    std::set<std::string> expected;
    for (const testsupport::ProfileFile& file : files) {
        if (file.cache) expected.insert(file.path);
    }
    // A link to a file lists as a plain file here: the scan finds it, the
    // clean keeps it.
    expected.insert(chromeCache + "f_link");
    std::set<std::string> found;
    for (const auto& [path, reason] : foundAs) found.insert(path);
    EXPECT_EQ(found, expected);
    EXPECT_EQ(foundAs[chromeCache + "data_0"], "Google Chrome: cache");
    EXPECT_EQ(foundAs["AppData\\Local\\Microsoft\\Windows\\Explorer\\thumbcache_256.db"],
              "Windows Explorer: thumbnail cache");

    // A browser holds one file open; another changes after the scan.
    platform::UniqueHandle open(
        ::CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(open);
    testsupport::WriteFile(changed, "rewritten by the driver since the scan");

    clean::CleanPlan plan;
    for (size_t i = 0; i < scanned.findings.Count(); ++i) {
        plan.files.emplace_back(scanned.findings.Path(i), scanned.findings.Listed(i), scanned.findings.FoundAs(i));
    }
    plan.settings = config::LoadCleanSettings();
    plan.foldersToRemove = scanned.foldersToRemove;
    const clean::CleanResult result = clean::RunClean(plan, progress, stop, 0);
    // Without a backup, whose copy is what fails first, the file in use
    // fails with that reason.
    cleantest::WriteSettings(place, cleantest::JobSettings().Delete());
    clean::CleanPlan heldOnly{{}, config::LoadCleanSettings(), clean::CleanKind::Real, {}};
    for (const clean::CleanItem& item : plan.files) {
        if (item.path == held) heldOnly.files.push_back(item);
    }
    const clean::CleanResult heldResult = clean::RunClean(heldOnly, progress, stop, 0);
    open.Reset();
    ASSERT_EQ(heldResult.outcomes.size(), 1u);
    EXPECT_EQ(heldResult.outcomes[0], clean::FileOutcome::InUse);

    // What the log says of each file: its result and reason, found as its rule.
    std::map<std::string, std::string> logged;
    for (const auto& row : testsupport::TabRowsOf(testsupport::ReadFile(result.logPath))) {
        if (row.size() == 6) logged[row[0].substr(std::string(kProfile).size() + 1)] = row[3] + "/" + row[4] + "/" + row[5];
    }
    for (const std::string& path : expected) {
        const std::string full = std::string(kProfile) + "\\" + path;
        std::string outcome = "cleaned//" + foundAs[path];
        if (full == held) outcome = "kept/backup-copy-failed/" + foundAs[path];
        if (full == changed) outcome = "kept/changed-since-scan/" + foundAs[path];
        if (path == chromeCache + "f_link") outcome = "kept/link/" + foundAs[path];
        EXPECT_EQ(logged[path], outcome) << path;
        EXPECT_EQ(FileExists(full), outcome.rfind("cleaned", 0) != 0) << path;
    }
    // Every file people keep, and everything a link leads to, stays as it was.
    for (const testsupport::ProfileFile& file : files) {
        if (!file.cache) {
            EXPECT_EQ(testsupport::ReadFile(std::string(kProfile) + "\\" + file.path), file.path);
        }
    }
    for (const char* path : {"outside\\precious.txt", "outside\\Profile\\Cache\\data_0", "outside\\Spotify\\Data\\track.file"}) {
        EXPECT_TRUE(FileExists(std::string(kProfile) + "\\" + path)) << path;
    }
    EXPECT_TRUE(FolderExists(std::string(kProfile) + "\\" + chromeCache + "escape"));
    // A cleaned cache has its copy in the clean's backup set, named like its log.
    const std::string logName = result.logPath.substr(result.logPath.find_last_of('\\') + 1);
    const std::string set = clean::BackupRoot() + logName.substr(0, logName.size() - 4);
    EXPECT_EQ(testsupport::ReadFile(clean::BackupPathFor(set, std::string(kProfile) + "\\" + chromeCache + "data_0")),
              chromeCache + "data_0");
    // The error reports' folders went with their files.
    EXPECT_FALSE(FolderExists(std::string(kProfile) + "\\AppData\\Local\\Microsoft\\Windows\\WER\\ReportArchive\\AppCrash_app.exe_1"));
    EXPECT_TRUE(FolderExists(std::string(kProfile) + "\\AppData\\Local\\Microsoft\\Windows\\WER\\ReportArchive"));
}

}  // namespace
