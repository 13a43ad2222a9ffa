// A clean removes only the files the user saw: never through a link, never
// a file that changed since the scan, never leaving a half copy in a set.
#include <gtest/gtest.h>

#include <windows.h>

#include <regex>
#include <string>
#include <vector>

#include "clean/clean_engine.h"
#include "clean/folder_tree.h"
#include "platform/handle.h"
#include "platform/wide_path.h"
#include "recording_sink.h"
#include "support/scratch.h"

namespace {

using clean::CleanOutcomes;
using clean::FileOutcome;
using cleantest::RecordingProgress;
using testsupport::FileExists;
using testsupport::NewScratchFolder;
using testsupport::ReadFile;
using testsupport::WriteFile;

const std::string kFarm = testsupport::kFileLinkFarm;

platform::FileStamp Listed(const std::string& path) {
    WIN32_FIND_DATAW entry{};
    platform::FindHandle find(FindFirstFileW(platform::WidePath(path).c_str(), &entry));
    EXPECT_TRUE(find) << path;
    return {(uint64_t{entry.nFileSizeHigh} << 32) | entry.nFileSizeLow,
            (uint64_t{entry.ftLastWriteTime.dwHighDateTime} << 32) | entry.ftLastWriteTime.dwLowDateTime};
}

struct Phase {
    const char* name;
    bool (*run)(const clean::CleanList&, clean::CleanProgress&, const clean::StopFlag&, CleanOutcomes*);
};

const Phase kPhases[] = {
    {"delete", clean::DeleteFiles},
    {"recycle", clean::RecycleFiles},
    {"move", [](const clean::CleanList& l, clean::CleanProgress& p, const clean::StopFlag& s, CleanOutcomes* o) {
         return clean::MoveFilesToFolder(l, "e:\\moved-links", p, s, o);
     }},
    {"backup, then delete",
     [](const clean::CleanList& l, clean::CleanProgress& p, const clean::StopFlag& s, CleanOutcomes* o) {
         return clean::BackupFiles(l, NewScratchFolder("link-set", 'e') + "\\S", p, s, o) &&
                clean::DeleteFiles(l, p, s, o);
     }},
};

TEST(LinksToFiles, NoPhaseEverReachesTheFileALinkPointsTo) {
    for (const Phase& phase : kPhases) {
        std::string plain = NewScratchFolder("beside-links") + "\\plain.tmp";
        WriteFile(plain, "plain");
        // One link named like junk, one with its target's very name, one
        // deeper than the narrow functions reach.
        const std::string deep = kFarm + "\\deep\\" + std::string(220, 'd') + "\\" + std::string(60, 'e') + "\\link.tmp";
        clean::CleanList list = {{kFarm + "\\junk\\link.tmp", Listed(kFarm + "\\junk\\link.tmp")},
                                 {kFarm + "\\junk\\precious.txt", Listed(kFarm + "\\junk\\precious.txt")},
                                 {deep, Listed(deep)},
                                 {plain, Listed(plain)}};
        RecordingProgress progress;
        clean::StopFlag stop{0};
        CleanOutcomes outcomes;
        EXPECT_TRUE(phase.run(list, progress, stop, &outcomes)) << phase.name;
        EXPECT_EQ(ReadFile(kFarm + "\\target\\precious.tmp"), "precious tmp") << phase.name;
        EXPECT_EQ(ReadFile(kFarm + "\\target\\precious.txt"), "precious txt") << phase.name;
        EXPECT_EQ(outcomes, CleanOutcomes({FileOutcome::KeptLink, FileOutcome::KeptLink, FileOutcome::KeptLink,
                                           FileOutcome::Cleaned}))
            << phase.name;
        EXPECT_FALSE(FileExists(plain)) << phase.name;
    }
}

TEST(LinksToFiles, EmptyingATraceFolderLeavesWhatItsLinksPointTo) {
    EXPECT_TRUE(clean::EmptyFolderTree(kFarm + "\\temp", true, false));
    EXPECT_FALSE(FileExists(kFarm + "\\temp\\plain.tmp"));
    EXPECT_EQ(ReadFile(kFarm + "\\target\\precious.tmp"), "precious tmp");
}

// Minutes or days pass between the report and the clean.
TEST(FileIdentity, AFileThatIsNotTheOneListedIsKept) {
    std::string folder = NewScratchFolder("identity");
    struct Case {
        const char* name;
        void (*change)(const std::string& path);
        FileOutcome outcome;
    } cases[] = {
        {"unchanged", [](const std::string&) {}, FileOutcome::Cleaned},
        {"rewritten", [](const std::string& p) { WriteFile(p, "new content, and longer"); }, FileOutcome::KeptChanged},
        {"now a folder",
         [](const std::string& p) {
             DeleteFileA(p.c_str());
             CreateDirectoryA(p.c_str(), nullptr);
         },
         FileOutcome::KeptChanged},
        {"gone", [](const std::string& p) { DeleteFileA(p.c_str()); }, FileOutcome::Missing},
    };
    for (const Phase& phase : kPhases) {
        for (const Case& c : cases) {
            std::string path = NewScratchFolder("identity") + "\\" + "f.tmp";
            WriteFile(path, "old");
            clean::CleanList list = {{path, Listed(path)}};
            c.change(path);
            RecordingProgress progress;
            clean::StopFlag stop{0};
            CleanOutcomes outcomes;
            phase.run(list, progress, stop, &outcomes);
            EXPECT_EQ(outcomes, CleanOutcomes({c.outcome})) << phase.name << ", " << c.name;
            if (c.outcome == FileOutcome::KeptChanged) {
                EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << phase.name << ", " << c.name;
            }
        }
    }
}

// On a full drive a copy fails half way and leaves what it wrote; a restore
// would later put that damaged copy in place of the intact file.
TEST(BackupFiles, ACopyThatFailsHalfWayLeavesNothingInTheSet) {
    ULARGE_INTEGER free{};
    if (!GetDiskFreeSpaceExA("f:\\", &free, nullptr, nullptr) || free.QuadPart > 200 * 1024) {
        GTEST_SKIP() << "the test bed has no nearly full drive f: here";
    }
    std::string source = NewScratchFolder("big") + "\\big.bin";
    WriteFile(source, std::string(static_cast<size_t>(free.QuadPart) + 64 * 1024, 'b'));
    std::string small = NewScratchFolder("small") + "\\small.txt";
    WriteFile(small, "small");
    clean::CleanList list = {{source, Listed(source)}, {small, Listed(small)}};
    const std::string set = std::string(testsupport::kFullDrive) + "\\set";
    RecordingProgress progress;
    clean::StopFlag stop{0};
    CleanOutcomes outcomes;
    EXPECT_TRUE(clean::BackupFiles(list, set, progress, stop, &outcomes));
    EXPECT_EQ(outcomes, CleanOutcomes({FileOutcome::KeptNoCopy, FileOutcome::BackedUp}));
    EXPECT_EQ(GetFileAttributesA(clean::BackupPathFor(set, source).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadFile(clean::BackupPathFor(set, small)), "small");
}

TEST(BackupSets, CleansWithinOneSecondNeverShareASet) {
    testsupport::ProgramPlace place;
    std::vector<std::string> sets;
    for (int i = 0; i < 3; ++i) {
        std::optional<std::string> set = clean::ReserveBackupSet();
        ASSERT_TRUE(set);
        sets.push_back(*set);
    }
    for (size_t i = 0; i < sets.size(); ++i) {
        EXPECT_TRUE(testsupport::FolderExists(sets[i]));
        EXPECT_TRUE(std::regex_match(sets[i].substr(clean::BackupRoot().size()),
                                     std::regex(R"(\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d)")))
            << sets[i];
        for (size_t j = 0; j < i; ++j) EXPECT_NE(sets[i], sets[j]);
    }
}

// Copies of files a disposal phase kept because they were not the files
// listed must not come back with a restore.
TEST(BackupSets, CopiesOfFilesKeptAsUnlistedLeaveTheSet) {
    std::string folder = NewScratchFolder("dropped");
    std::string changed = folder + "\\changed.tmp", fine = folder + "\\fine.tmp";
    WriteFile(changed, "seen");
    WriteFile(fine, "fine");
    clean::CleanList list = {{changed, Listed(changed)}, {fine, Listed(fine)}};
    std::string set = NewScratchFolder("dropped-set") + "\\S";
    RecordingProgress progress;
    clean::StopFlag stop{0};
    CleanOutcomes outcomes;
    ASSERT_TRUE(clean::BackupFiles(list, set, progress, stop, &outcomes));
    WriteFile(changed, "written since the scan");
    clean::DeleteFiles(list, progress, stop, &outcomes);
    clean::DropCopiesOfUnlistedFiles(list, set, outcomes);
    EXPECT_EQ(outcomes, CleanOutcomes({FileOutcome::KeptChanged, FileOutcome::Cleaned}));
    EXPECT_FALSE(FileExists(clean::BackupPathFor(set, changed)));
    EXPECT_EQ(ReadFile(clean::BackupPathFor(set, fine)), "fine");
    EXPECT_EQ(ReadFile(changed), "written since the scan");
}

}  // namespace
