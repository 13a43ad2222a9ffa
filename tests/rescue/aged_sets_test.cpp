// The age rule of backup sets: which folders count as sets old enough, and
// that each goes whole, stays whole, or is never touched.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "clean/backup_layout.h"
#include "paths/path_text.h"
#include "platform/handle.h"
#include "rescue/aged_sets.h"
#include "rescue_fixtures.h"
#include "support/scratch.h"

namespace {

using clean::AgedSetResult;
using clean::AgedSetRun;
using rescuetest::MakeSet;
using testsupport::FileExists;
using testsupport::FolderExists;

constexpr SYSTEMTIME kNow = {2024, 6, 0, 30, 12, 0, 0, 0};  // 30 June 2024, noon

std::vector<std::string> Names(const std::vector<rescue::SetFolder>& sets) {
    std::vector<std::string> names;
    for (const auto& set : sets) names.push_back(set.name);
    return names;
}

TEST(SetsOlderThan, TakesOnlyExactSetNamesMoreThanTheDaysOld) {
    std::vector<rescue::SetFolder> folders;
    for (const char* name : {
             "2024-06-15_10-00-00",      // young
             "2024-05-31_12-00-00",      // exactly thirty days: not older
             "2024-05-31_11-59-59",      // a second more
             "2024-05-01_10-00-00",      // two months
             "2023-12-24_18-00-00",      // last year
             "2024-05-01_10-00-00 mine", // the rescue center lists it, the age rule leaves it
             "2024-2-3_1-2-3",           // numbers a clean never writes
             "2024-02-30_10-00-00",      // no such day
             "2024-07-30_10-00-00",      // a clock that was ahead
             "Old",
         }) {
        folders.push_back({name, "d:\\sets\\" + std::string(name), rescue::ParseSetName(name)});
    }
    EXPECT_EQ(Names(rescue::SetsOlderThan(folders, kNow, 30)),
              (std::vector<std::string>{"2023-12-24_18-00-00", "2024-05-01_10-00-00", "2024-05-31_11-59-59"}));
    EXPECT_EQ(Names(rescue::SetsOlderThan(folders, kNow, 3650)), std::vector<std::string>{});
    EXPECT_EQ(rescue::SetsOlderThan(folders, kNow, 1).size(), 5u);
    EXPECT_TRUE(rescue::SetsOlderThan(folders, kNow, 0).empty());  // the rule off
}

struct AgedSetsTest : testing::Test {
    testsupport::ProgramPlace place{"agedsets"};
    std::string root = clean::BackupRoot();
    std::string base = paths::WithoutTrailingBackslash(root);
};

TEST_F(AgedSetsTest, RemovesOldSetsWholeAndLeavesYoungAndHeldOnes) {
    const std::string old = MakeSet(base, "2024-04-01_08-00-00", {{"C\\Docs\\a.tmp", "aaaa"}, {"D\\b.tmp", "bb"}});
    const std::string held = MakeSet(base, "2024-04-02_08-00-00", {{"C\\x.tmp", "x"}, {"C\\in use.tmp", "yyy"}});
    const std::string young = MakeSet(base, "2024-06-29_08-00-00", {{"C\\c.tmp", "c"}});
    const std::string mine = MakeSet(base, "2024-04-01_08-00-00 mine", {{"C\\d.tmp", "d"}});
    // Another program holds a file of the second set without letting it go.
    platform::UniqueHandle holder(::CreateFileA((held + "\\C\\in use.tmp").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);

    // A preview says what would go and removes nothing.
    EXPECT_EQ(rescue::RemoveAgedSets(root, 30, kNow, true),
              (std::vector<AgedSetRun>{{"2024-04-01_08-00-00", 6, AgedSetResult::Planned},
                                       {"2024-04-02_08-00-00", 4, AgedSetResult::Planned}}));
    EXPECT_TRUE(FileExists(old + "\\C\\Docs\\a.tmp"));

    EXPECT_EQ(rescue::RemoveAgedSets(root, 30, kNow, false),
              (std::vector<AgedSetRun>{{"2024-04-01_08-00-00", 6, AgedSetResult::Removed},
                                       {"2024-04-02_08-00-00", 4, AgedSetResult::InUse}}));
    EXPECT_FALSE(FolderExists(old));
    EXPECT_TRUE(FileExists(held + "\\C\\x.tmp")) << "a set in use stays whole";
    EXPECT_TRUE(FileExists(held + "\\C\\in use.tmp"));
    EXPECT_TRUE(FileExists(young + "\\C\\c.tmp"));
    EXPECT_TRUE(FileExists(mine + "\\C\\d.tmp"));

    // Let go, the set goes with the next clean.
    holder.Reset();
    EXPECT_EQ(rescue::RemoveAgedSets(root, 30, kNow, false),
              (std::vector<AgedSetRun>{{"2024-04-02_08-00-00", 4, AgedSetResult::Removed}}));
    EXPECT_FALSE(FolderExists(held));
}

TEST_F(AgedSetsTest, ASetThatIsALinkStaysAndSoDoesWhatItLeadsTo) {
    const std::string farm = testsupport::kAgedSetsFarm;
    EXPECT_TRUE(rescue::RemoveAgedSets(farm + "\\Backup\\", 30, kNow, false).empty());
    EXPECT_TRUE(FolderExists(farm + "\\Backup\\2001-01-01_00-00-00"));
    EXPECT_EQ(testsupport::ReadFile(farm + "\\elsewhere\\C\\keep.txt"), "keep");
}

}  // namespace
