// The requests the jobs take, read from the settings document when a job
// starts: the user's values only, the checked entries only, and a fresh
// read each time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/job_requests.h"
#include "support/scratch.h"
#include "support/settings_xml.h"

namespace {

using testsupport::SettingsValues;

// Every factory value differs from its user value, so a read from the wrong
// attribute or section shows.
SettingsValues Factory() {
    SettingsValues factory;
    factory.search = {1, 1, 1, 1, 1, 1, 9};
    factory.junkTypes = {{"*.*", "Factory", 1}};
    factory.skipFolders = {{"\\factory", 1}};
    factory.clean = {1, 1, 1, 1, "F:\\factory"};
    factory.traces.fill(1);
    return factory;
}

TEST(JobRequests, TheScanTakesTheCheckedUserEntriesTheUserSwitchesAndTheSelection) {
    SettingsValues user;
    user.search = {0, 1, 0, 1, 0, 1, 0};  // hidden files skipped, empty and not-accessed found
    user.junkTypes = {{"*.log", "Unused", 0}, {"*.tmp", "First", 1}, {"*.bak", "Second", 2}};
    user.skipFolders = {{"\\SKIPPED", 1}, {"\\unskipped", 0}};
    testsupport::ProgramPlace place("requests");
    place.WriteSettings(testsupport::SettingsDocumentXml(Factory(), user, {"D:\\", "E:\\Data"}));

    const scan::ScanRequest request = config::LoadScanRequest();
    EXPECT_EQ(request.paths, (std::vector<std::string>{"D:\\", "E:\\Data"}));
    ASSERT_EQ(request.junkTypes.size(), 2u);
    EXPECT_EQ(request.junkTypes[0].pattern, "*.tmp");
    EXPECT_EQ(request.junkTypes[1].description, "Second") << "any non-zero check counts";
    EXPECT_EQ(request.skipFolders, std::vector<std::string>{"\\SKIPPED"});
    const scan::SearchSwitches& s = request.switches;
    EXPECT_EQ((std::vector<bool>{s.skipReadOnly, s.skipHidden, s.skipSystem, s.findEmptyFiles,
                                 s.findInvalidShortcuts, s.findNotAccessed}),
              (std::vector<bool>{false, true, false, true, false, true}));
    EXPECT_EQ(s.months, 0);

    // Read afresh at every start: a later request sees the saved changes.
    user.junkTypes = {{"*.old", "Old", 1}};
    place.WriteSettings(testsupport::SettingsDocumentXml(Factory(), user, {"D:\\"}));
    const scan::ScanRequest later = config::LoadScanRequest();
    ASSERT_EQ(later.junkTypes.size(), 1u);
    EXPECT_EQ(later.junkTypes[0].pattern, "*.old");
    EXPECT_EQ(later.paths, std::vector<std::string>{"D:\\"});
}

TEST(JobRequests, TheCleanTakesTheUserDisposalBackupMoveTargetAndTraceSwitches) {
    SettingsValues user;
    user.clean = {0, 1, 1, 1, "E:\\Moved\\"};
    user.traces[2] = 1;
    user.traces[12] = 1;
    testsupport::ProgramPlace place("cleanrequest");
    place.WriteSettings(testsupport::SettingsDocumentXml(Factory(), user));

    const clean::CleanSettings settings = config::LoadCleanSettings();
    EXPECT_FALSE(settings.deleteFiles);
    EXPECT_TRUE(settings.recycle);
    EXPECT_TRUE(settings.moveToFolder);
    EXPECT_TRUE(settings.backup);
    EXPECT_EQ(settings.moveTarget, "E:\\Moved\\");
    for (size_t i = 0; i < settings.traces.size(); ++i) EXPECT_EQ(settings.traces[i], i == 2 || i == 12) << i;
}

// No settings file (or one that does not load): nothing is selected,
// searched for or switched on.
TEST(JobRequests, WithoutASettingsFileNothingIsAskedFor) {
    testsupport::ProgramPlace place("norequest");
    const scan::ScanRequest request = config::LoadScanRequest();
    EXPECT_TRUE(request.paths.empty());
    EXPECT_TRUE(request.junkTypes.empty());
    EXPECT_TRUE(request.skipFolders.empty());
    const clean::CleanSettings settings = config::LoadCleanSettings();
    EXPECT_FALSE(settings.deleteFiles || settings.recycle || settings.moveToFolder || settings.backup);
    for (bool trace : settings.traces) EXPECT_FALSE(trace);
}

}  // namespace
