#include <gtest/gtest.h>

#include <algorithm>

#include "clean/backup_layout.h"
#include "paths/path_text.h"
#include "rescue/backup_sets.h"
#include "rescue/restore.h"
#include "rescue_fixtures.h"
#include "support/scratch.h"

namespace {

using rescuetest::DriveChanges;
using rescuetest::MakeSet;
using testsupport::FileExists;
using testsupport::FolderExists;
using testsupport::ReadFile;

// Every change must start with one of the prefixes.
void ExpectOnlyChanges(const DriveChanges& changes, std::initializer_list<std::string> allowed) {
    for (const std::string& change : changes.Now()) {
        EXPECT_TRUE(std::any_of(allowed.begin(), allowed.end(), [&](auto& a) { return change.rfind(a, 0) == 0; }))
            << change;
    }
}

struct BackupRootTest : testing::Test {
    testsupport::ProgramPlace place{"backup"};
    std::string root = paths::WithoutTrailingBackslash(clean::BackupRoot());
};

TEST(ParseSetName, ReadsSixNumbersLikeAFormattedInputScan) {
    const std::pair<const char*, std::optional<rescue::SetTime>> cases[] = {
        {"2006-12-05_10-20-30", rescue::SetTime{2006, 12, 5, 10, 20, 30}},
        {"2006-1-5_1-2-3", rescue::SetTime{2006, 1, 5, 1, 2, 3}},              // widths are maximums
        {"2006-12-05_10-20-30 old", rescue::SetTime{2006, 12, 5, 10, 20, 30}}, // the rest is ignored
        {"2006-12-05_10-20-301", rescue::SetTime{2006, 12, 5, 10, 20, 30}},
        {" -5-+1-02_ 3-\t4-05", rescue::SetTime{-5, 1, 2, 3, 4, 5}},          // signs, blanks before numbers
        {"-123-1-1_1-1-1", rescue::SetTime{-123, 1, 1, 1, 1, 1}},             // the sign counts in the width
        {"-1234-1-1_1-1-1", std::nullopt},
        {"Old", std::nullopt},
        {"", std::nullopt},
        {"2006-12-05_10-20", std::nullopt},
        {"20061-12-05_10-20-30", std::nullopt},
        {"2006-12-05-10-20-30", std::nullopt},                                 // the underscore must stand
        {"2006 -12-05_10-20-30", std::nullopt},                                // no blank before a literal
        {"2006-+-05_10-20-30", std::nullopt},                                  // a sign alone is no number
    };
    for (const auto& [name, time] : cases) EXPECT_EQ(rescue::ParseSetName(name), time) << name;
}

TEST_F(BackupRootTest, ListsEveryFolderButThoseReadAsAnother) {
    EXPECT_TRUE(rescue::ListSetFolders(root).empty());  // no root yet
    for (const char* name : {"2006-12-05_10-20-30", "2006-1-5_1-2-3", "Old"}) MakeSet(root, name);
    testsupport::WriteFile(root + "\\2007-01-01_00-00-00", "a file is no set");
    ::SetFileAttributesA((root + "\\Old").c_str(), FILE_ATTRIBUTE_HIDDEN);
    // Path functions trim a trailing dot or blank: these would be read as "2006-1-5_1-2-3".
    testsupport::MakeFoldersLong(root + "\\2006-1-5_1-2-3.");
    testsupport::MakeFoldersLong(root + "\\2006-1-5_1-2-3 ");

    std::vector<std::string> names, sets;
    for (const auto& folder : rescue::ListSetFolders(root + "\\")) {
        EXPECT_EQ(folder.path, root + "\\" + folder.name);
        names.push_back(folder.name);
        if (folder.time) sets.push_back(folder.name);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"2006-1-5_1-2-3", "2006-12-05_10-20-30", "Old"}));
    EXPECT_EQ(sets.size(), 2u);
}

TEST(RestoreTargetFor, MapsTheDriveFolderAndRefusesWhatWouldLandElsewhere) {
    const std::string set = "d:\\b\\2006-12-05_10-20-30";
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"\\C\\Docs\\a.txt", "C:\\Docs\\a.txt"},
        {"\\e\\x.txt", "e:\\x.txt"},
        {"\\E\\a..b\\..x\\y.z", "E:\\a..b\\..x\\y.z"},
        {"\\readme.txt", std::nullopt},     // no drive folder
        {"\\CC\\x.txt", std::nullopt},      // a drive folder has one letter
        {"\\1\\x.txt", std::nullopt},
        {"\\C\\..\\x.txt", std::nullopt},
        {"\\C\\.\\x.txt", std::nullopt},
        {"\\C\\...\\x.txt", std::nullopt},  // read by the platform as ".."
        {"\\C\\a.\\x.txt", std::nullopt},   // trimmed by the platform to "a"
        {"\\C\\a \\x.txt", std::nullopt},
        {"\\C\\a\\\\x.txt", std::nullopt},
        {"\\C\\x:y.txt", std::nullopt},     // a stream of another file
        {"\\C\\a/../x.txt", std::nullopt},
        {"\\C\\docs\\con", std::nullopt},   // devices
        {"\\C\\nul.txt", std::nullopt},
    };
    for (const auto& [relative, target] : cases) {
        EXPECT_EQ(rescue::RestoreTargetFor(set, set + relative), target) << relative;
    }
    EXPECT_FALSE(rescue::RestoreTargetFor(set, "d:\\b\\other\\C\\x.txt"));
}

TEST_F(BackupRootTest, RestorePutsEveryFileBackAndRemovesTheSet) {
    testsupport::WriteFile("e:\\kept.txt", "old");
    // Files the platform's copy alone would not replace.
    for (const char* name : {"e:\\ro.txt", "e:\\hidden.txt"}) testsupport::WriteFile(name, "old");
    ::SetFileAttributesA("e:\\ro.txt", FILE_ATTRIBUTE_READONLY);
    ::SetFileAttributesA("e:\\hidden.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    std::string set = MakeSet(root, "2006-12-05_10-20-30",
                              {{"e\\made\\deep\\a.txt", "alpha"}, {"E\\kept.txt", "new"}, {"readme.txt", "no place"},
                               {"E\\ro.txt", "new ro"}, {"E\\hidden.txt", "new hidden"}});
    testsupport::WriteFile(set + "\\e\\made\\ro.txt", "read-only");
    ::SetFileAttributesA((set + "\\e\\made\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    DriveChanges changes;

    auto outcome = rescue::RestoreSet(set);
    EXPECT_EQ(outcome.restored, 5u);
    EXPECT_EQ(outcome.noTarget, 1u);
    EXPECT_TRUE(outcome.setRemoved);
    EXPECT_EQ(ReadFile("e:\\made\\deep\\a.txt"), "alpha");  // a missing folder made again
    EXPECT_EQ(ReadFile("e:\\made\\ro.txt"), "read-only");
    EXPECT_EQ(ReadFile("e:\\kept.txt"), "new");              // replaced without asking
    EXPECT_EQ(ReadFile("e:\\ro.txt"), "new ro");
    EXPECT_EQ(ReadFile("e:\\hidden.txt"), "new hidden");
    ExpectOnlyChanges(changes, {"-" + set, "+e:\\made", "~e:\\kept.txt", "~e:\\ro.txt", "~e:\\hidden.txt"});
}

TEST_F(BackupRootTest, RestoreKeepsTheFilesThatCouldNotGoBackAndTheSetHoldingThem) {
    std::string set = MakeSet(root, "2006-12-05_10-20-30",
                              {{"E\\good\\sub\\one.txt", "1"}, {"E\\bad\\blocked.txt", "2"}, {"E\\bad\\fine.txt", "3"}});
    testsupport::MakeFolders("e:\\bad\\blocked.txt");  // a folder where the file goes

    auto outcome = rescue::RestoreSet(set);
    EXPECT_EQ(outcome.restored, 2u);
    EXPECT_EQ(outcome.failed, 1u);
    EXPECT_FALSE(outcome.setRemoved);
    EXPECT_EQ(ReadFile("e:\\bad\\fine.txt"), "3");
    EXPECT_EQ(ReadFile(set + "\\E\\bad\\blocked.txt"), "2");
    EXPECT_FALSE(FileExists(set + "\\E\\bad\\fine.txt"));
    EXPECT_FALSE(FolderExists(set + "\\E\\good"));  // emptied folders go

    // With the obstacle gone, a second restore finishes the set.
    ::RemoveDirectoryA("e:\\bad\\blocked.txt");
    EXPECT_TRUE(rescue::RestoreSet(set).setRemoved);
    EXPECT_EQ(ReadFile("e:\\bad\\blocked.txt"), "2");
}

TEST_F(BackupRootTest, OddNamesInASetWriteNothingOutsideThePathsTheyName) {
    std::string set = MakeSet(root, "2006-12-05_10-20-30", {{"E\\plain\\ok.txt", "ok"}});
    // Copied by their narrow names, these would land where their folders do
    // not say: "..." reads as "..", "a." as "a", "con" is a device.
    for (const char* folder : {"E\\plain\\...", "E\\plain\\a.", "E\\...", "e."}) {
        testsupport::MakeFoldersLong(set + "\\" + folder);
        testsupport::WriteFileLong(set + "\\" + folder + "\\x.txt", "odd");
    }
    for (const char* file : {"E\\plain\\trail.", "E\\plain\\con"}) testsupport::WriteFileLong(set + "\\" + file, "odd");
    DriveChanges changes;

    auto outcome = rescue::RestoreSet(set);
    EXPECT_EQ(outcome.restored, 1u);
    EXPECT_EQ(outcome.failed, 0u);
    ExpectOnlyChanges(changes, {"-" + set, "+e:\\plain"});
    EXPECT_EQ(ReadFile("e:\\plain\\ok.txt"), "ok");
    EXPECT_FALSE(FolderExists("e:\\plain\\a"));
}

// The shell's delete follows a link inside a folder and empties what it
// points to. The test bed's farm has tree\link -> ..\target and tree\loop -> ..
TEST(LinkedSets, RestoreAndDeleteNeverReachThroughALink) {
    const std::string farm = testsupport::kLinkFarm, tree = farm + "\\tree";
    DriveChanges changes;
    // A set folder that is a link is neither restored nor emptied.
    auto outcome = rescue::RestoreSet(tree + "\\link");
    EXPECT_EQ(outcome.restored + outcome.failed + outcome.noTarget, 0u);
    rescue::DeleteSet(tree + "\\link");
    EXPECT_TRUE(changes.Now().empty());

    // A set holding links loses its own files only.
    for (auto remove : {+[](const std::string& s) { rescue::RestoreSet(s); }, +rescue::DeleteSet}) {
        remove(tree);
        EXPECT_EQ(ReadFile(farm + "\\target\\file.tmp"), "outside");
        EXPECT_FALSE(FileExists(tree + "\\real\\kept.tmp"));
        ExpectOnlyChanges(changes, {"-" + tree});
        // Other tests read the farm: lay its file again.
        testsupport::MakeFolders(tree + "\\real");
        testsupport::WriteFile(tree + "\\real\\kept.tmp", "inside");
    }
}

TEST_F(BackupRootTest, DeleteRemovesTheSetWithEverythingInIt) {
    std::string set = MakeSet(root, "2006-12-05_10-20-30", {{"C\\a\\b.txt", "b"}, {"D\\x.txt", "x"}});
    MakeSet(root, "2006-12-06_09-00-00", {{"C\\y.txt", "y"}});  // stays
    ::SetFileAttributesA((set + "\\D\\x.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    DriveChanges changes;
    rescue::DeleteSet(set);
    EXPECT_FALSE(FolderExists(set));
    ExpectOnlyChanges(changes, {"-" + set});
}

// Some platforms list a link to a file as a plain file, and copy, delete and
// write through it by path. The test bed's set holds such a link, and a
// second set's file would go back to a place where a link stands.
TEST(LinkedSets, RestoreAndDeleteNeverActThroughALinkToAFile) {
    const std::string farm = testsupport::kFileLinkFarm;
    const std::string set = farm + "\\set";
    auto outcome = rescue::RestoreSet(set);
    EXPECT_EQ(ReadFile(farm + "\\target\\precious.txt"), "precious txt");
    EXPECT_EQ(ReadFile("e:\\restored\\plain.txt"), "plain");
    EXPECT_FALSE(FileExists("e:\\restored\\link.txt"));
    EXPECT_EQ(outcome.restored, 1u);
    EXPECT_EQ(outcome.failed, 1u);  // the link stays in the set, and the set with it

    std::string second = testsupport::NewScratchFolder("onto-link", 'e');
    testsupport::MakeFolders(second + "\\E\\fixtures\\filelinks\\junk");
    testsupport::WriteFile(second + "\\E\\fixtures\\filelinks\\junk\\precious.txt", "from the set");
    outcome = rescue::RestoreSet(second);
    EXPECT_EQ(ReadFile(farm + "\\target\\precious.txt"), "precious txt");
    EXPECT_EQ(outcome.failed, 1u);

    rescue::DeleteSet(set);
    EXPECT_EQ(ReadFile(farm + "\\target\\precious.txt"), "precious txt");
}

}  // namespace
