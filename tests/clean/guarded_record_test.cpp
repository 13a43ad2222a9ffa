// The record of a clean on a hostile file system: a clean writes its log
// before it touches a file, or touches none; its log and the logs it prunes
// are never reached through a link; a preview removes no log; and the spare
// names of a recycle that was killed half way are settled by the next clean.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "clean/backup_layout.h"
#include "clean/clean_log.h"
#include "clean/spare_journal.h"
#include "clean/spare_name.h"
#include "job_bed.h"
#include "paths/path_text.h"
#include "platform/handle.h"
#include "platform/shell_file_operation.h"
#include "support/child_test.h"
#include "support/scratch.h"

namespace {

using cleantest::Job;
using cleantest::JobSettings;
using cleantest::RecordingSink;
using cleantest::RunJob;
using cleantest::WriteSettings;
using testsupport::FileExists;
using testsupport::NamesIn;
using testsupport::ProgramPlace;
using testsupport::ReadFile;
using testsupport::WriteFile;

std::string LogName(int n) {
    char name[32];
    std::snprintf(name, sizeof name, "2001-01-01_00-%02d-%02d.log", n / 60, n % 60);
    return name;
}

const std::string kVictims = std::string(testsupport::kFixtures) + "\\loglinks\\victims";

// Where a clean's log cannot go, the clean disposes of nothing, runs no
// trace cleaner and removes no old backup set; before, it deleted its files
// and wrote no log (or wrote it through a link, and pruned log-named files
// of the folder it led to).
TEST(CleanRecord, NoLogNoClean) {
    const std::string fixtures = testsupport::kFixtures;
    struct Case {
        const char* label;
        std::string program;  // empty: a scratch folder
        std::string writable;  // where the settings are written, when not the program's folder
    } cases[] = {
        {"a file in place of the logs' folder", "", ""},
        {"the logs' folder is a link", fixtures + "\\loglinks\\folderlink", ""},
        {"a folder nobody may write to", std::string(testsupport::kSealedFolder) + "\\program",
         std::string(testsupport::kOpenFolder) + "\\program"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        if (!c.writable.empty() && !testsupport::FolderExists(testsupport::kSealedFolder)) continue;
        const std::string program = c.program.empty() ? testsupport::NewScratchFolder("nolog") : c.program;
        if (!c.writable.empty()) testsupport::MakeFolders(c.writable);
        ProgramPlace place(ProgramPlace::At{program});
        WriteFile((c.writable.empty() ? program : c.writable) + "\\JunkSweep.xml",
                  cleantest::SettingsXmlFor(JobSettings().Backup().Delete().Cleaners({5})));
        if (c.program.empty()) {
            testsupport::MakeFolders(program + "\\Data\\ToolJunkSweep");
            WriteFile(program + "\\Data\\ToolJunkSweep\\Logs", "not a folder");
        }
        cleantest::MakeRunHistory();
        const std::string junk = testsupport::NewScratchFolder("nolog-junk") + "\\a.tmp";
        Job job;
        RecordingSink sink({junk});
        WriteFile(junk, "junk");
        clean::CleanPlan plan{sink.Files(), config::LoadCleanSettings(), clean::CleanKind::Real, {}};
        plan.settings.removeSetsOlderThanDays = 30;
        bool setsRemoved = false;
        sink.TakeResult(clean::RunClean(std::move(plan), sink, job.stop, job.paceMs, [&](int, bool) {
            setsRemoved = true;
            return std::vector<clean::AgedSetRun>{};
        }));
        EXPECT_FALSE(setsRemoved);
        const clean::CleanResult result = sink.Result();
        EXPECT_TRUE(result.logRefused);
        EXPECT_TRUE(result.logPath.empty());
        EXPECT_EQ(clean::TextOf(result, 0).reasonToken, std::string("no-log"));
        EXPECT_EQ(ReadFile(junk), "junk");
        EXPECT_TRUE(cleantest::RunHistoryLeft());
        EXPECT_TRUE(NamesIn(program + "\\Data\\ToolJunkSweep\\Backup").empty());
        EXPECT_EQ(NamesIn(kVictims).size(), 101u);
    }
}

// A link named like the oldest log leads to a file of the user's; pruning
// the logs deleted that file before.
TEST(CleanRecord, PruningNeverDeletesThroughALink) {
    const std::string program = std::string(testsupport::kFixtures) + "\\loglinks\\filelink";
    const std::string logs = program + "\\Data\\ToolJunkSweep\\Logs";
    ProgramPlace place(ProgramPlace::At{program});
    WriteSettings(place, JobSettings().Delete());
    for (int n = 0; n < 100; ++n) WriteFile(logs + "\\" + LogName(n).replace(0, 4, "2002"), "newer");
    Job job;
    RecordingSink sink;
    ASSERT_TRUE(RunJob(job, sink));
    EXPECT_FALSE(sink.Result().logPath.empty());
    EXPECT_EQ(NamesIn(kVictims).size(), 101u);
    EXPECT_EQ(ReadFile(kVictims + "\\" + LogName(0)), "victim");
    EXPECT_NE(::GetFileAttributesA((logs + "\\2000-01-01_00-00-00.log").c_str()), INVALID_FILE_ATTRIBUTES);
}

// A preview writes its own log and removes none (before, it pruned the
// oldest, the log of a backup set among them). A clean keeps the last 100
// logs, and the log of every backup set still there.
TEST(CleanRecord, APreviewRemovesNoLogAndACleanKeepsTheLogsOfKeptSets) {
    ProgramPlace place("prune-kinds");
    WriteSettings(place, JobSettings().Delete());
    const std::string logs = paths::WithoutTrailingBackslash(clean::LogRoot());
    testsupport::MakeFolders(logs);
    for (int n = 0; n < 120; ++n) WriteFile(logs + "\\" + LogName(n), "old");
    testsupport::MakeFolders(clean::BackupRoot() + LogName(0).substr(0, 19));
    Job job;
    RecordingSink preview;
    ASSERT_TRUE(RunJob(job, preview, clean::CleanKind::Preview));
    EXPECT_EQ(NamesIn(logs).size(), 121u);
    RecordingSink real;
    ASSERT_TRUE(RunJob(job, real));
    const std::vector<std::string> left = NamesIn(logs);
    EXPECT_EQ(left.size(), 101u) << "the 100 newest and the set's";
    EXPECT_TRUE(std::binary_search(left.begin(), left.end(), LogName(0)));
    EXPECT_FALSE(std::binary_search(left.begin(), left.end(), LogName(1)));
}

constexpr const char* kKilledFolder = "JS_KILLED_RECYCLE_FOLDER";
constexpr const char* kKilledTest = "KilledRecycle.DISABLED_LeavesItsSpareNames";

// Runs in a second process, killed while it recycles: every file has its
// spare name, one went to the bin, one was deleted for good, and the
// process ends before it settles any.
TEST(KilledRecycle, DISABLED_LeavesItsSpareNames) {
    const std::string folder = testsupport::EnvironmentValue(kKilledFolder);
    ASSERT_FALSE(folder.empty());
    ProgramPlace place(ProgramPlace::At{folder});
    clean::SpareJournal journal(clean::SpareJournalPath());
    ASSERT_TRUE(journal.Valid());
    for (const char* name : {"stays.tmp", "binned.tmp", "deleted.tmp", "taken.tmp"}) {
        ASSERT_TRUE((new clean::SpareName(folder + "\\" + name, &journal))->Held()) << name;
    }
    platform::ShellDelete(folder + "\\binned.tmp", FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_NOERRORUI);
    ::DeleteFileA((folder + "\\deleted.tmp").c_str());
    ::TerminateProcess(::GetCurrentProcess(), 0);
}

// Before, the spare names a killed recycle left stayed for good: second
// names of files in the bin, whose space emptying the bin did not free.
TEST(KilledRecycle, TheNextCleanSettlesTheSpareNamesAndTouchesNothingElse) {
    const std::string folder = testsupport::NewScratchFolder("killed");
    for (const char* name : {"stays.tmp", "binned.tmp", "deleted.tmp", "taken.tmp"}) {
        WriteFile(folder + "\\" + name, name);
    }
    WriteFile(folder + "\\decoy.tmp.~spare0", "the user's");
    {
        ProgramPlace place(ProgramPlace::At{folder});
        WriteSettings(place, JobSettings().Recycle());
    }
    ASSERT_EQ(testsupport::RunTestInChild(kKilledTest, {{kKilledFolder, folder}}), 0u);
    ASSERT_TRUE(FileExists(folder + "\\deleted.tmp.~spare0")) << "the kill left the spare names";
    // A user's file now stands where one of them was.
    ASSERT_TRUE(::DeleteFileA((folder + "\\taken.tmp.~spare0").c_str()));
    WriteFile(folder + "\\taken.tmp.~spare0", "the user's too");

    ProgramPlace place(ProgramPlace::At{folder});
    Job job;
    RecordingSink sink;
    ASSERT_TRUE(RunJob(job, sink));
    EXPECT_EQ(NamesIn(folder), (std::vector<std::string>{"Data", "JunkSweep.xml", "decoy.tmp.~spare0", "deleted.tmp",
                                                         "stays.tmp", "taken.tmp", "taken.tmp.~spare0"}));
    EXPECT_EQ(ReadFile(folder + "\\deleted.tmp"), "deleted.tmp");
    EXPECT_EQ(ReadFile(folder + "\\stays.tmp"), "stays.tmp");
    EXPECT_EQ(ReadFile(folder + "\\taken.tmp.~spare0"), "the user's too");
    EXPECT_EQ(ReadFile(folder + "\\decoy.tmp.~spare0"), "the user's");
    EXPECT_FALSE(FileExists(clean::SpareJournalPath()));
}

}  // namespace
