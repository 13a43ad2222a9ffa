#include <gtest/gtest.h>

#include <algorithm>

#include "rescue/backup_sets.h"
#include "rescue/restore.h"
#include "rescue_fixtures.h"
#include "support/scratch.h"

namespace {

using rescue::SetTime;
using rescuetest::MakeSet;
using testsupport::FileExists;
using testsupport::FolderExists;
using testsupport::ReadFile;

// Makes a file, or with a trailing "\" a folder, through the literal path
// form, so that names the narrow functions trim or refuse ("...", "a.",
// "con") can be made.
void MakeLiteral(const std::string& path) {
    if (path.back() == '\\') {
        testsupport::MakeFoldersLong(path.substr(0, path.size() - 1));
    } else {
        testsupport::WriteFileLong(path, "odd");
    }
}

TEST(ParseSetName, ReadsSixNumbersLikeAFormattedInputScan) {
    struct Case {
        const char* name;
        bool isSet;
        SetTime time;
    } cases[] = {
        {"2006-12-05_10-20-30", true, {2006, 12, 5, 10, 20, 30}},
        {"2006-1-5_1-2-3", true, {2006, 1, 5, 1, 2, 3}},                  // widths are maximums
        {"2006-12-05_10-20-30 old", true, {2006, 12, 5, 10, 20, 30}},     // the rest is ignored
        {"2006-12-05_10-20-301", true, {2006, 12, 5, 10, 20, 30}},        // the last width ends the number
        {"-5-+1-02_ 3-\t4-05", true, {-5, 1, 2, 3, 4, 5}},               // signs, blanks before a number
        {" 2006-12-05_10-20-30", true, {2006, 12, 5, 10, 20, 30}},
        {"0000-00-00_00-00-00", true, {}},
        {"Old", false, {}},
        {"", false, {}},
        {"2006-12-05_10-20", false, {}},                                  // five numbers
        {"2006-12-05_10-20-", false, {}},
        {"20061-12-05_10-20-30", false, {}},                              // "2006" then "1" is no dash
        {"2006-123-05_10-20-30", false, {}},
        {"2006-12-05-10-20-30", false, {}},                               // the underscore must stand
        {"2006_12-05_10-20-30", false, {}},
        {"2006 -12-05_10-20-30", false, {}},                              // no blank before a literal
        {"2006--1-05_10-20-30", true, {2006, -1, 5, 10, 20, 30}},
        {"2006-+-05_10-20-30", false, {}},                                // a sign alone is no number
        {"2006-1-05_10-20-+", false, {}},
        {"-123-1-1_1-1-1", true, {-123, 1, 1, 1, 1, 1}},                 // the sign counts in the width
        {"-1234-1-1_1-1-1", false, {}},
    };
    for (const auto& c : cases) {
        auto parsed = rescue::ParseSetName(c.name);
        EXPECT_EQ(parsed.has_value(), c.isSet) << c.name;
        if (parsed && c.isSet) {
            EXPECT_TRUE(*parsed == c.time) << c.name;
        }
    }
}

TEST(ListSetFolders, ListsEveryFolderAndReadsTheNamesOfSets) {
    testsupport::ProgramPlace place("list");
    const std::string root = rescue::BackupRoot();
    EXPECT_EQ(root, place.Folder() + "\\Data\\ToolJunkSweep\\Backup\\");
    EXPECT_TRUE(rescue::ListSetFolders(root).empty());  // missing root

    for (const char* name : {"2006-12-05_10-20-30", "2006-1-5_1-2-3", "2006-12-05_10-20-30 old", "Old"}) {
        MakeSet(root.substr(0, root.size() - 1), name, {});
    }
    testsupport::WriteFile(root + "2007-01-01_00-00-00", "a file is no set");
    // Path functions read these names as "2006-1-5_1-2-3", another set.
    MakeLiteral(root + "2006-1-5_1-2-3.\\");
    MakeLiteral(root + "2006-1-5_1-2-3 \\");
    std::string hidden = root + "2006-12-06_09-00-00";
    testsupport::MakeFolders(hidden);
    ::SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);

    auto folders = rescue::ListSetFolders(root);
    std::vector<std::string> names, sets;
    for (const auto& f : folders) {
        names.push_back(f.name);
        EXPECT_EQ(f.path, root + f.name);
        if (f.time) sets.push_back(f.name);
    }
    std::sort(names.begin(), names.end());
    std::sort(sets.begin(), sets.end());
    EXPECT_EQ(names, (std::vector<std::string>{"2006-1-5_1-2-3", "2006-12-05_10-20-30", "2006-12-05_10-20-30 old",
                                               "2006-12-06_09-00-00", "Old"}));
    EXPECT_EQ(sets, (std::vector<std::string>{"2006-1-5_1-2-3", "2006-12-05_10-20-30", "2006-12-05_10-20-30 old",
                                              "2006-12-06_09-00-00"}));
    // The root without its trailing backslash lists the same folders.
    EXPECT_EQ(rescue::ListSetFolders(root.substr(0, root.size() - 1)).size(), folders.size());
    ::SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(RestoreTargetFor, MapsTheDriveFolderAndRefusesWhatWouldLandElsewhere) {
    const std::string set = "d:\\b\\2006-12-05_10-20-30";
    struct Case {
        const char* relative;
        const char* target;  // null: no target
    } cases[] = {
        {"\\C\\Docs\\a.txt", "C:\\Docs\\a.txt"},
        {"\\e\\x.txt", "e:\\x.txt"},
        {"\\E\\a..b\\..x\\y.z", "E:\\a..b\\..x\\y.z"},
        {"\\readme.txt", nullptr},            // no drive folder
        {"\\CC\\x.txt", nullptr},             // a drive folder has one letter
        {"\\1\\x.txt", nullptr},
        {"\\C\\", nullptr},
        {"\\C\\..\\x.txt", nullptr},
        {"\\C\\.\\x.txt", nullptr},
        {"\\C\\...\\x.txt", nullptr},         // read by the platform as ".."
        {"\\C\\a.\\x.txt", nullptr},          // trimmed by the platform to "a"
        {"\\C\\a \\x.txt", nullptr},
        {"\\C\\a\\\\x.txt", nullptr},
        {"\\C\\x:y.txt", nullptr},            // a stream of another file
        {"\\C\\a/../x.txt", nullptr},
        {"\\C\\q?.txt", nullptr},
        {"\\C\\docs\\con", nullptr},          // devices
        {"\\C\\nul.txt", nullptr},
        {"\\C\\COM1", nullptr},
    };
    for (const auto& c : cases) {
        auto target = rescue::RestoreTargetFor(set, set + c.relative);
        if (c.target) {
            EXPECT_EQ(target.value_or("<none>"), c.target) << c.relative;
        } else {
            EXPECT_FALSE(target) << c.relative << " -> " << *target;
        }
    }
    EXPECT_FALSE(rescue::RestoreTargetFor(set, "d:\\b\\other\\C\\x.txt"));
    EXPECT_FALSE(rescue::RestoreTargetFor(set, set));
}

TEST(RestoreSet, CopiesEveryFileBackRecreatingFoldersAndRemovesTheSet) {
    testsupport::ProgramPlace place("restore");
    const std::string root = rescue::BackupRoot();
    testsupport::WriteFile("e:\\kept.txt", "old content");
    std::string set = MakeSet(root + "x", "", {});  // makes the root
    set = MakeSet(root.substr(0, root.size() - 1), "2006-12-05_10-20-30",
                  {{"e\\restored\\deep\\a.txt", "alpha"},
                   {"e\\restored\\deep\\b.txt", "beta"},
                   {"E\\kept.txt", "new content"},
                   {"readme.txt", "no drive folder"}});
    testsupport::WriteFile(set + "\\e\\restored\\ro.txt", "read-only");
    ::SetFileAttributesA((set + "\\e\\restored\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    auto before = rescuetest::SnapshotDrives();

    auto outcome = rescue::RestoreSet(set);
    EXPECT_EQ(outcome.restored, 4u);
    EXPECT_EQ(outcome.failed, 0u);
    EXPECT_EQ(outcome.noTarget, 1u);
    EXPECT_TRUE(outcome.setRemoved);
    EXPECT_EQ(ReadFile("e:\\restored\\deep\\a.txt"), "alpha");
    EXPECT_EQ(ReadFile("e:\\restored\\deep\\b.txt"), "beta");
    EXPECT_EQ(ReadFile("e:\\kept.txt"), "new content");  // replaced without asking
    EXPECT_EQ(ReadFile("e:\\restored\\ro.txt"), "read-only");
    EXPECT_FALSE(FolderExists(set));
    EXPECT_TRUE(FolderExists(root + "x"));

    // Nothing else changed: the set went, the targets came.
    auto changes = rescuetest::Differences(before, rescuetest::SnapshotDrives());
    for (const std::string& change : changes) {
        bool expected = change.rfind("-" + set, 0) == 0 || change.rfind("+e:\\restored", 0) == 0 ||
                        change == "~e:\\kept.txt";
        EXPECT_TRUE(expected) << change;
    }
}

TEST(RestoreSet, KeepsTheFilesWhoseCopyFailedAndTheSetHoldingThem) {
    testsupport::ProgramPlace place("partial");
    const std::string root = rescue::BackupRoot();
    std::string set = MakeSet(root.substr(0, root.size() - 1), "2006-12-05_10-20-30",
                              {{"E\\good\\one.txt", "1"},
                               {"E\\good\\sub\\two.txt", "2"},
                               {"E\\bad\\blocked.txt", "3"},
                               {"E\\bad\\fine.txt", "4"},
                               {"E\\file\\under.txt", "5"}});
    testsupport::MakeFolders("e:\\bad\\blocked.txt");  // a folder where the file goes
    testsupport::WriteFile("e:\\file", "a file where a folder goes");

    auto outcome = rescue::RestoreSet(set);
    EXPECT_EQ(outcome.restored, 3u);
    EXPECT_EQ(outcome.failed, 2u);
    EXPECT_FALSE(outcome.setRemoved);
    EXPECT_EQ(ReadFile("e:\\good\\one.txt"), "1");
    EXPECT_EQ(ReadFile("e:\\good\\sub\\two.txt"), "2");
    EXPECT_EQ(ReadFile("e:\\bad\\fine.txt"), "4");
    EXPECT_EQ(ReadFile("e:\\file"), "a file where a folder goes");

    // The failed files stay; the restored ones and the folders they emptied go.
    EXPECT_EQ(ReadFile(set + "\\E\\bad\\blocked.txt"), "3");
    EXPECT_EQ(ReadFile(set + "\\E\\file\\under.txt"), "5");
    EXPECT_FALSE(FileExists(set + "\\E\\bad\\fine.txt"));
    EXPECT_FALSE(FolderExists(set + "\\E\\good"));
    EXPECT_TRUE(FolderExists(set + "\\E"));

    // Once the obstacles are gone, a second restore finishes the set.
    ::RemoveDirectoryA("e:\\bad\\blocked.txt");
    ::DeleteFileA("e:\\file");
    outcome = rescue::RestoreSet(set);
    EXPECT_EQ(outcome.restored, 2u);
    EXPECT_TRUE(outcome.setRemoved);
    EXPECT_EQ(ReadFile("e:\\file\\under.txt"), "5");
    EXPECT_FALSE(FolderExists(set));
}

TEST(RestoreSet, OddNamesInASetWriteNothingOutsideThePathsTheyName) {
    testsupport::ProgramPlace place("odd");
    const std::string root = rescue::BackupRoot();
    std::string set = MakeSet(root.substr(0, root.size() - 1), "2006-12-05_10-20-30", {{"E\\plain\\ok.txt", "ok"}});
    testsupport::MakeFolders("e:\\plain");
    // Each of these, copied by its narrow name, would land somewhere its
    // folders do not spell: "..." reads as "..", "a." as "a", "con" is a device.
    for (const char* odd : {"E\\plain\\...\\", "E\\plain\\...\\up.txt", "E\\plain\\a.\\", "E\\plain\\a.\\in.txt",
                            "E\\plain\\trail.", "E\\plain\\con", "E\\...\\", "E\\...\\root.txt", "e.\\",
                            "e.\\x.txt"}) {
        MakeLiteral(set + "\\" + odd);
    }
    auto before = rescuetest::SnapshotDrives();

    auto outcome = rescue::RestoreSet(set);
    EXPECT_EQ(outcome.restored, 1u);
    EXPECT_EQ(outcome.failed, 0u);
    EXPECT_GE(outcome.noTarget, 3u);  // how many the listing shows depends on how it reads such names
    auto changes = rescuetest::Differences(before, rescuetest::SnapshotDrives());
    for (const std::string& change : changes) {
        EXPECT_TRUE(change == "+e:\\plain\\ok.txt" || change.rfind("-" + set, 0) == 0) << change;
    }
    EXPECT_EQ(ReadFile("e:\\plain\\ok.txt"), "ok");
    EXPECT_FALSE(FileExists("e:\\up.txt"));
    EXPECT_FALSE(FileExists("e:\\plain\\up.txt"));
    EXPECT_FALSE(FolderExists("e:\\plain\\a"));
}

TEST(DeleteSet, RemovesTheSetWithEverythingInIt) {
    testsupport::ProgramPlace place("delete");
    const std::string root = rescue::BackupRoot();
    std::string set = MakeSet(root.substr(0, root.size() - 1), "2006-12-05_10-20-30",
                              {{"C\\a\\b\\c.txt", "c"}, {"D\\x.txt", "x"}});
    ::SetFileAttributesA((set + "\\D\\x.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    std::string other = MakeSet(root.substr(0, root.size() - 1), "2006-12-06_09-00-00", {{"C\\y.txt", "y"}});
    rescue::DeleteSet(set);
    EXPECT_FALSE(FolderExists(set));
    EXPECT_EQ(ReadFile(other + "\\C\\y.txt"), "y");
    rescue::DeleteSet(set);  // already gone: nothing happens
    EXPECT_TRUE(FolderExists(other));
}

}  // namespace

namespace {

// The shell's delete follows a symbolic link inside a folder and empties the
// folder it points to; the link farm of the test bed has such links:
// tree\link -> ..\target and tree\loop -> .. (the farm itself).
TEST(LinkedSets, RestoreAndDeleteNeverReachThroughALink) {
    const std::string farm = testsupport::kLinkFarm;
    const std::string tree = farm + "\\tree";
    ASSERT_TRUE(FileExists(farm + "\\target\\file.tmp"));
    auto before = rescuetest::SnapshotDrives();

    // A set folder that is itself a link is neither restored nor emptied.
    auto outcome = rescue::RestoreSet(tree + "\\link");
    EXPECT_EQ(outcome.restored + outcome.failed + outcome.noTarget, 0u);
    rescue::DeleteSet(tree + "\\link");
    EXPECT_EQ(ReadFile(farm + "\\target\\file.tmp"), "outside");

    // A set that holds links: its own files go, what the links lead to stays.
    auto restoreThenLayAgain = [&](auto action) {
        action();
        EXPECT_EQ(ReadFile(farm + "\\target\\file.tmp"), "outside");
        EXPECT_FALSE(FileExists(tree + "\\real\\kept.tmp"));
        for (const std::string& change : rescuetest::Differences(before, rescuetest::SnapshotDrives())) {
            bool own = change == "-" + tree + "\\real" || change == "-" + tree + "\\real\\kept.tmp" ||
                       change == "-" + tree + "\\link" || change == "-" + tree + "\\loop" || change == "-" + tree;
            EXPECT_TRUE(own) << change;
        }
        // Other tests read the farm: lay its file again.
        testsupport::MakeFolders(tree + "\\real");
        testsupport::WriteFile(tree + "\\real\\kept.tmp", "inside");
    };
    restoreThenLayAgain([&] { rescue::RestoreSet(tree); });
    restoreThenLayAgain([&] { rescue::DeleteSet(tree); });
}

}  // namespace
