#include <gtest/gtest.h>

#include <windows.h>

#include "clean/clean_engine.h"
#include "recording_sink.h"
#include "support/scratch.h"

namespace {

using cleantest::RecordingProgress;
using testsupport::FileExists;
using testsupport::FolderExists;
using testsupport::NewScratchFolder;
using testsupport::ReadFile;
using testsupport::WriteFile;
using Events = std::vector<std::string>;

// A stop flag that turns on when the progress reaches a given position.
class StopAtPosition : public RecordingProgress {
public:
    StopAtPosition(clean::StopFlag& stop, int position) : stop_(stop), position_(position) {}
    void SetPosition(int position) override {
        RecordingProgress::SetPosition(position);
        if (position == position_) stop_ = 1;
    }

private:
    clean::StopFlag& stop_;
    int position_;
};

// Which files the disposal phases leave where they are.
std::vector<bool> Kept(const clean::CleanOutcomes& outcomes) {
    std::vector<bool> kept;
    for (clean::FileOutcome outcome : outcomes) {
        kept.push_back(clean::IsSettled(outcome) && outcome != clean::FileOutcome::Cleaned);
    }
    return kept;
}

bool Exists(const clean::CleanItem& item) { return FileExists(item.path); }

clean::CleanList MakeFiles(const std::string& folder, std::initializer_list<const char*> names) {
    clean::CleanList list;
    for (const char* name : names) {
        std::string path = folder + "\\" + name;
        testsupport::MakeFolders(path.substr(0, path.find_last_of('\\')));
        WriteFile(path, name);
        list.push_back(path);
    }
    return list;
}

TEST(BackupPathFor, PlacesByDriveLetter) {
    struct Case {
        const char* file;
        const char* place;
    } cases[] = {
        {"C:\\Docs\\a.txt", "S\\C\\Docs\\a.txt"},
        {"d:\\x.log", "S\\d\\x.log"},
        {"C:\\Docs\\\\a.txt", "S\\C\\Docs\\a.txt"},
        {"C:\\\\\\a", "S\\C\\\\a"},  // three backslashes: one pair collapses, one stays
        {"C:x.txt", "S\\C\\x.txt"},
        {"\\\\srv\\share\\c.tmp", ""},
        {"x", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(clean::BackupPathFor("S", c.file), c.place) << c.file;
}

TEST(BackupLayout, RootAndSetNameFollowTheProgramFolder) {
    testsupport::ProgramPlace place;
    EXPECT_EQ(clean::BackupRoot(), place.Folder() + "\\Data\\ToolJunkSweep\\Backup\\");
    SYSTEMTIME t{};
    t.wYear = 2006, t.wMonth = 12, t.wDay = 7, t.wHour = 14, t.wMinute = 5, t.wSecond = 9;
    EXPECT_EQ(clean::BackupSetName(t), "2006-12-07_14-05-09");
}

TEST(BackupFiles, CopiesEachDriveIntoItsFolderOfOneSet) {
    std::string d = NewScratchFolder("bk-src");
    std::string e = NewScratchFolder("bk-src", 'e');
    std::string set = NewScratchFolder("bk-set") + "\\2006-12-07_14-05-09";
    clean::CleanList list = MakeFiles(d, {"A\\x.txt"});
    clean::CleanList more = MakeFiles(e, {"x.txt"});
    list.push_back(more[0]);
    list.push_back("\\\\srv\\share\\c.tmp");
    RecordingProgress progress;
    clean::StopFlag stop{0};
    clean::CleanOutcomes outcomes;
    EXPECT_TRUE(clean::BackupFiles(list, set, progress, stop, &outcomes));
    EXPECT_EQ(ReadFile(set + "\\d" + d.substr(2) + "\\A\\x.txt"), "A\\x.txt");
    EXPECT_EQ(ReadFile(set + "\\e" + e.substr(2) + "\\x.txt"), "x.txt");
    // A file without a place in the set is kept as well: the user asked for
    // a copy of everything the clean removes.
    EXPECT_EQ(Kept(outcomes), std::vector<bool>({false, false, true}));
    EXPECT_TRUE(Exists(list[0])) << "backup copies, it does not move";
    EXPECT_EQ(progress.Events(), Events({"status _cpBackuping", "pos 0", "pos 0", "pos 1", "pos 2"}));
}

// A file whose copy could not be made must not be disposed of: the user
// asked to keep a copy of everything the clean removes.
TEST(BackupFiles, FailedCopiesAreKeptByEveryDisposalPhase) {
    std::string d = NewScratchFolder("bk-fail");
    std::string set = NewScratchFolder("bk-set") + "\\S";
    clean::CleanList list = MakeFiles(d, {"ok.txt", "blocked.txt", "later.txt"});
    list.push_back("\\\\srv\\share\\net.txt");
    // The place of blocked.txt is taken by a folder, so its copy fails.
    testsupport::MakeFolders(clean::BackupPathFor(set, list[1].path));
    RecordingProgress progress;
    clean::StopFlag stop{0};
    clean::CleanOutcomes outcomes;
    EXPECT_TRUE(clean::BackupFiles(list, set, progress, stop, &outcomes));
    EXPECT_EQ(Kept(outcomes), std::vector<bool>({false, true, false, true}));

    struct Phase {
        const char* name;
        bool (*run)(const clean::CleanList&, clean::CleanProgress&, const clean::StopFlag&, clean::CleanOutcomes*);
    } phases[] = {
        {"delete", clean::DeleteFiles},
        {"recycle", clean::RecycleFiles},
        {"move", [](const clean::CleanList& l, clean::CleanProgress& p, const clean::StopFlag& s,
                    clean::CleanOutcomes* o) { return clean::MoveFilesToFolder(l, "e:\\moved-kept", p, s, o); }},
    };
    for (const Phase& phase : phases) {
        clean::CleanList files = MakeFiles(NewScratchFolder(phase.name), {"ok.txt", "blocked.txt"});
        clean::CleanOutcomes mask = {clean::FileOutcome::BackedUp, clean::FileOutcome::KeptNoCopy};
        EXPECT_TRUE(phase.run(files, progress, stop, &mask));
        EXPECT_FALSE(Exists(files[0])) << phase.name;
        EXPECT_TRUE(Exists(files[1])) << phase.name;
    }
}

TEST(BackupFiles, StopEndsCopyingAndKeepsTheFilesNotReached) {
    std::string d = NewScratchFolder("bk-stop");
    std::string set = NewScratchFolder("bk-set") + "\\S";
    clean::CleanList list = MakeFiles(d, {"1", "2", "3"});
    clean::StopFlag stop{0};
    StopAtPosition progress(stop, 1);
    clean::CleanOutcomes outcomes;
    EXPECT_FALSE(clean::BackupFiles(list, set, progress, stop, &outcomes));
    EXPECT_TRUE(FileExists(clean::BackupPathFor(set, list[0].path)));
    EXPECT_TRUE(FileExists(clean::BackupPathFor(set, list[1].path)));  // the file in hand is finished
    EXPECT_FALSE(FileExists(clean::BackupPathFor(set, list[2].path)));
    EXPECT_EQ(Kept(outcomes), std::vector<bool>({false, false, true}));
}

TEST(Phases, ReportStatusThenEveryIndexAndStopBeforeTheNextFile) {
    struct Case {
        const char* name;
        const char* status;
        bool (*run)(const clean::CleanList&, clean::CleanProgress&, const clean::StopFlag&);
    } cases[] = {
        {"delete", "_cpCleaning",
         [](const clean::CleanList& l, clean::CleanProgress& p, const clean::StopFlag& s) {
             return clean::DeleteFiles(l, p, s);
         }},
        {"recycle", "_cpMovingtorecycle",
         [](const clean::CleanList& l, clean::CleanProgress& p, const clean::StopFlag& s) {
             return clean::RecycleFiles(l, p, s);
         }},
        {"move", "_cpMovingtofolder",
         [](const clean::CleanList& l, clean::CleanProgress& p, const clean::StopFlag& s) {
             return clean::MoveFilesToFolder(l, "e:\\phase-moved", p, s);
         }},
    };
    testsupport::ProgramPlace place;  // no language file: texts show as their keys
    for (const Case& c : cases) {
        clean::CleanList list = MakeFiles(NewScratchFolder(c.name), {"a", "b", "c"});
        clean::StopFlag stop{0};
        StopAtPosition progress(stop, 1);
        EXPECT_FALSE(c.run(list, progress, stop)) << c.name;
        EXPECT_EQ(progress.Events(), Events({std::string("status ") + c.status, "pos 0", "pos 0", "pos 1"}))
            << c.name;
        EXPECT_FALSE(Exists(list[0])) << c.name;
        EXPECT_FALSE(Exists(list[1])) << c.name;
        EXPECT_TRUE(Exists(list[2])) << c.name;

        clean::StopFlag stopped{1};
        RecordingProgress quiet;
        EXPECT_FALSE(c.run({list[2]}, quiet, stopped)) << c.name;
        EXPECT_EQ(quiet.Events(), Events({std::string("status ") + c.status, "pos 0"})) << c.name;
        EXPECT_TRUE(Exists(list[2])) << c.name;
    }
}

TEST(DeleteFiles, RemovesReadOnlyHiddenAndSystemFilesAndPassesOverMissingOnes) {
    std::string d = NewScratchFolder("del");
    clean::CleanList list = MakeFiles(d, {"ro", "hidden", "system", "all", "plain"});
    DWORD attributes[] = {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM,
                          FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM,
                          FILE_ATTRIBUTE_NORMAL};
    for (size_t i = 0; i < 5; ++i) ASSERT_TRUE(SetFileAttributesA(list[i].path.c_str(), attributes[i]));
    list.insert(list.begin() + 2, d + "\\missing");
    RecordingProgress progress;
    clean::StopFlag stop{0};
    EXPECT_TRUE(clean::DeleteFiles(list, progress, stop));
    for (const clean::CleanItem& f : list) EXPECT_FALSE(Exists(f)) << f.path;
    EXPECT_EQ(progress.Events().back(), "pos 5");
}

TEST(DeleteFileNotThroughLink, LockedFileStaysWithItsAttributes) {
    std::string f = NewScratchFolder("locked") + "\\f.txt";
    WriteFile(f, "x");
    ASSERT_TRUE(SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    HANDLE h = CreateFileA(f.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    platform::FolderFinalPaths folders;
    EXPECT_FALSE(clean::DeleteFileNotThroughLink(f, folders));
    CloseHandle(h);
    EXPECT_TRUE(FileExists(f));
    EXPECT_EQ(GetFileAttributesA(f.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(clean::DeleteFileNotThroughLink(f, folders));
    EXPECT_FALSE(FileExists(f));
}

TEST(UniqueTargetPath, SuffixesTheWholeNameAndNeverTakesAnExistingEntry) {
    std::string dir = NewScratchFolder("unique");
    EXPECT_EQ(clean::UniqueTargetPath(dir, "a.txt"), dir + "\\a.txt");
    WriteFile(dir + "\\a.txt", "");
    EXPECT_EQ(clean::UniqueTargetPath(dir, "a.txt"), dir + "\\a.txt_0");
    WriteFile(dir + "\\a.txt_0", "");
    testsupport::MakeFolders(dir + "\\a.txt_1");  // a folder takes the name too
    EXPECT_EQ(clean::UniqueTargetPath(dir, "a.txt"), dir + "\\a.txt_2");
}

TEST(MoveFilesToFolder, GivesEqualNamesFreeTargets) {
    std::string src = NewScratchFolder("mv-src");
    clean::CleanList list = MakeFiles(src, {"1\\a.txt", "2\\a.txt", "3\\a.txt"});
    std::string target = NewScratchFolder("mv-dst", 'e');
    WriteFile(target + "\\a.txt_0", "already there");
    RecordingProgress progress;
    clean::StopFlag stop{0};
    EXPECT_TRUE(clean::MoveFilesToFolder(list, target + "\\", progress, stop));
    EXPECT_EQ(ReadFile(target + "\\a.txt"), "1\\a.txt");
    EXPECT_EQ(ReadFile(target + "\\a.txt_0"), "already there");
    EXPECT_EQ(ReadFile(target + "\\a.txt_1"), "2\\a.txt");
    EXPECT_EQ(ReadFile(target + "\\a.txt_2"), "3\\a.txt");
    for (const clean::CleanItem& f : list) EXPECT_FALSE(Exists(f));
}

TEST(MoveFilesToFolder, CreatesTheTargetAndShowsItsLastComponent) {
    testsupport::ProgramPlace place;
    WriteFile(place.LanguagePath(), "[String]\r\n_cpMovingtofolder=Moving into %s ...\r\n");
    struct Case {
        std::string target;
        std::string landsIn;
        std::string status;
    } cases[] = {
        {"e:\\deep\\Junk\\", "e:\\deep\\Junk", "Moving into Junk ..."},
        {"e:\\deep\\Junk2", "e:\\deep\\Junk2", "Moving into Junk2 ..."},
        {"e:\\", "e:", "Moving into  ..."},
    };
    for (const Case& c : cases) {
        clean::CleanList list = MakeFiles(NewScratchFolder("mv-show"), {"m.bin"});
        RecordingProgress progress;
        clean::StopFlag stop{0};
        EXPECT_TRUE(clean::MoveFilesToFolder(list, c.target, progress, stop));
        EXPECT_EQ(progress.Statuses(), std::vector<std::string>({c.status}));
        EXPECT_EQ(ReadFile(c.landsIn + "\\m.bin"), "m.bin") << c.target;
        EXPECT_FALSE(Exists(list[0]));
        DeleteFileA((c.landsIn + "\\m.bin").c_str());
    }
}

TEST(MoveFilesToFolder, SourceStaysWhenItsCopyFails) {
    std::string src = NewScratchFolder("mv-fail");
    clean::CleanList list = MakeFiles(src, {"a.txt"});
    list.push_back(src + "\\missing.txt");
    std::string blocked = NewScratchFolder("mv-blocked", 'e') + "\\file";
    WriteFile(blocked, "a file where the target folder would be");
    RecordingProgress progress;
    clean::StopFlag stop{0};
    EXPECT_TRUE(clean::MoveFilesToFolder(list, blocked + "\\sub", progress, stop));
    EXPECT_TRUE(Exists(list[0]));
    EXPECT_EQ(ReadFile(blocked), "a file where the target folder would be");
}

}  // namespace
