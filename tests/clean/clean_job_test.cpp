// The clean job on the test's thread, driven headless through a recording sink.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <array>
#include <string>
#include <vector>

#include "clean/clean_job.h"
#include "config/settings_paths.h"
#include "platform/handle.h"
#include "job_bed.h"
#include "recording_sink.h"
#include "bin_view.h"
#include "support/scratch.h"
#include "support/settings_xml.h"

namespace {

using cleantest::Job;
using cleantest::JobSettings;
using cleantest::RecordingSink;
using cleantest::RunJob;
using cleantest::kRunMru;
using cleantest::MakeRunHistory;
using cleantest::RunHistoryLeft;
using cleantest::WriteSettings;
using testsupport::FileExists;
using testsupport::FolderExists;
using testsupport::ReadFile;
using testsupport::WriteFile;
using Texts = std::vector<std::string>;

std::vector<std::string> MakeFiles(const std::string& folder, int count) {
    std::vector<std::string> files;
    for (int i = 0; i < count; ++i) {
        files.push_back(folder + "\\f" + std::to_string(i) + ".tmp");
        WriteFile(files.back(), "file " + std::to_string(i));
    }
    return files;
}

std::vector<std::string> Subfolders(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA d{};
    platform::FindHandle find(FindFirstFileA((folder + "\\*").c_str(), &d));
    if (!find) return names;
    do {
        std::string name = d.cFileName;
        if (name != "." && name != ".." && (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(name);
    } while (FindNextFileA(find.Get(), &d));
    return names;
}

TEST(CleanJob, EmptyListRunsOnlyTheTraceCleanersAndCompletes) {
    testsupport::ProgramPlace place;
    WriteSettings(place, JobSettings().Backup().Delete().Cleaners({5}));
    MakeRunHistory();
    Job job;
    RecordingSink sink;
    ASSERT_TRUE(RunJob(job, sink));
    EXPECT_EQ(sink.Events(), Texts({"status _cpStartCleanState", "pos 0", "status _cpGetList", "range 0",
                                    "status _cpclringcleanck5", "pos 50", "pos 100", "pos 0",
                                    "status _cpThreadCompleted", "result"}));
    EXPECT_FALSE(FolderExists(clean::BackupRoot())) << "no backup set for an empty list";
    EXPECT_FALSE(RunHistoryLeft());
}

TEST(CleanJob, SettingsDecideThePhases) {
    struct Case {
        const char* name;
        JobSettings settings;
        Texts phases;
        enum { Gone, Moved, Stay } files;
        bool backupSet;
    } cases[] = {
        {"delete", JobSettings().Delete(), {"_cpCleaning"}, Case::Gone, false},
        {"backup+delete", JobSettings().Backup().Delete(), {"_cpBackuping", "_cpCleaning"}, Case::Gone, true},
        {"backup+recycle", JobSettings().Backup().Recycle(), {"_cpBackuping", "_cpMovingtorecycle"}, Case::Gone, true},
        {"backup+move", JobSettings().Backup().Move("e:\\job-moved\\"), {"_cpBackuping", "_cpMovingtofolder"},
         Case::Moved, true},
        {"move, empty folder", JobSettings().Move(""), {}, Case::Stay, false},
        {"backup only", JobSettings().Backup(), {"_cpBackuping"}, Case::Stay, true},
    };
    for (const Case& c : cases) {
        testsupport::ProgramPlace place;
        WriteSettings(place, c.settings);
        std::vector<std::string> files = MakeFiles(testsupport::NewScratchFolder("job-phases"), 3);
        Job job;
        RecordingSink sink(clean::CleanList(files.begin(), files.end()));
        ASSERT_TRUE(RunJob(job, sink)) << c.name;
        Texts expected = {"_cpStartCleanState", "_cpGetList"};
        expected.insert(expected.end(), c.phases.begin(), c.phases.end());
        expected.push_back("_cpThreadCompleted");
        EXPECT_EQ(sink.Statuses(), expected) << c.name;
        EXPECT_EQ(sink.Events().at(3), "range 3") << c.name;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(FileExists(files[i]), c.files == Case::Stay) << c.name << " " << files[i];
            if (c.files == Case::Moved) {
                EXPECT_EQ(ReadFile("e:\\job-moved\\f" + std::to_string(i) + ".tmp"), "file " + std::to_string(i));
            }
        }
        std::vector<std::string> sets = Subfolders(clean::BackupRoot());
        ASSERT_EQ(sets.size(), c.backupSet ? 1u : 0u) << c.name;
        if (c.backupSet) {
            std::string set = clean::BackupRoot() + sets[0];
            for (int i = 0; i < 3; ++i) {
                EXPECT_EQ(ReadFile(clean::BackupPathFor(set, files[i])), "file " + std::to_string(i)) << c.name;
            }
        }
        for (int i = 0; i < 3; ++i) DeleteFileA(("e:\\job-moved\\f" + std::to_string(i) + ".tmp").c_str());
    }
}

TEST(CleanJob, StopDuringDeletingLeavesTheRestAndSkipsTheTraceCleaners) {
    testsupport::ProgramPlace place;
    WriteSettings(place, JobSettings().Delete().Recycle().Move("e:\\job-stop").Cleaners({1, 5}));
    MakeRunHistory();
    std::vector<std::string> files = MakeFiles(testsupport::NewScratchFolder("job-stop"), 4);
    Job job(0);  // every file reported, so that Stop comes at the second
    RecordingSink sink(clean::CleanList(files.begin(), files.end()));
    bool deleting = false;
    sink.hook = [&](const std::string& e) {
        if (e == "status _cpCleaning") deleting = true;
        if (deleting && e == "pos 1") job.RequestStop();
    };
    ASSERT_TRUE(RunJob(job, sink));
    EXPECT_FALSE(FileExists(files[0]));
    EXPECT_FALSE(FileExists(files[1]));
    EXPECT_TRUE(FileExists(files[2]));
    EXPECT_TRUE(FileExists(files[3]));
    EXPECT_TRUE(Subfolders("e:\\job-stop").empty());
    EXPECT_EQ(sink.Statuses(), Texts({"_cpStartCleanState", "_cpGetList", "_cpCleaning", "_cpMovingtorecycle",
                                      "_cpMovingtofolder", "_cpThreadStopped"}));
    EXPECT_TRUE(RunHistoryLeft());
    EXPECT_EQ(sink.Events().back(), "result");
    SHDeleteKeyA(HKEY_CURRENT_USER, kRunMru);
}

TEST(CleanJob, StopDuringATraceCleanerSkipsOnlyTheCleanersAfterIt) {
    struct Case {
        std::vector<int> cleaners;
        const char* stopAt;
        Texts statuses;
        bool runHistoryLeft;
    } cases[] = {
        {{1, 5}, "status _cpclringcleanck1", {"_cpclringcleanck1", "_cpThreadStopped"}, true},
        {{5, 13}, "status _cpclringcleanck13", {"_cpclringcleanck5", "_cpclringcleanck13", "_cpThreadCompleted"}, false},
        {{5, 11}, "status _cpclringcleanck11", {"_cpclringcleanck5", "_cpclringcleanck11", "_cpThreadStopped"}, false},
    };
    for (const Case& c : cases) {
        testsupport::ProgramPlace place;
        WriteSettings(place, JobSettings().Cleaners(c.cleaners));
        MakeRunHistory();
        Job job;
        RecordingSink sink;
        sink.hook = [&](const std::string& e) {
            if (e == c.stopAt) job.RequestStop();
        };
        ASSERT_TRUE(RunJob(job, sink));
        Texts statuses = sink.Statuses();
        EXPECT_EQ(Texts(statuses.begin() + 2, statuses.end()), c.statuses) << c.stopAt;
        EXPECT_EQ(RunHistoryLeft(), c.runHistoryLeft) << c.stopAt;
        SHDeleteKeyA(HKEY_CURRENT_USER, kRunMru);
    }
}

// The clean does what the settings said when it started, as the summary
// showed it: options saved while it runs change nothing of it.
TEST(CleanJob, TheSettingsAtItsStartDecideTheWholeClean) {
    testsupport::ProgramPlace place;
    WriteSettings(place, JobSettings().Backup());
    MakeRunHistory();
    std::vector<std::string> files = MakeFiles(testsupport::NewScratchFolder("job-fixed"), 2);
    Job job;
    RecordingSink sink(clean::CleanList(files.begin(), files.end()));
    sink.hook = [&](const std::string& e) {
        if (e == "status _cpBackuping") WriteSettings(place, JobSettings().Backup().Delete().Cleaners({5}));
    };
    ASSERT_TRUE(RunJob(job, sink));
    EXPECT_TRUE(FileExists(files[0]));
    EXPECT_TRUE(FileExists(files[1]));
    EXPECT_TRUE(RunHistoryLeft());
    EXPECT_EQ(sink.Result().action, "backup");
    SHDeleteKeyA(HKEY_CURRENT_USER, kRunMru);
}

// A file whose backup copy could not be made is not disposed of.
TEST(CleanJob, FilesTheBackupCouldNotCopyStayInPlace) {
    testsupport::ProgramPlace place;
    WriteSettings(place, JobSettings().Backup().Delete());
    WriteFile(place.Folder() + "\\Data", "a file where the backup folders would go");
    std::vector<std::string> files = MakeFiles(testsupport::NewScratchFolder("job-nobackup"), 2);
    Job job;
    RecordingSink sink(clean::CleanList(files.begin(), files.end()));
    ASSERT_TRUE(RunJob(job, sink));
    EXPECT_TRUE(FileExists(files[0]));
    EXPECT_TRUE(FileExists(files[1]));
    EXPECT_EQ(sink.Statuses().back(), "_cpThreadCompleted");
}

// The window hears of the files at a human pace, yet ends at the exact last
// position of the phase, and a stop still takes effect at the next file.
TEST(CleanJob, AtAHumanPaceTheLastPositionIsExactAndStopComesAtTheNextFile) {
    testsupport::ProgramPlace place;
    WriteSettings(place, JobSettings().Delete());
    constexpr int kFiles = 2000;
    {
        std::vector<std::string> files = MakeFiles(testsupport::NewScratchFolder("job-paced"), kFiles);
        Job job;
        RecordingSink sink(clean::CleanList(files.begin(), files.end()));
        ASSERT_TRUE(RunJob(job, sink));
        Texts positions;
        for (const std::string& e : sink.Events()) {
            if (e.rfind("pos ", 0) == 0) positions.push_back(e);
        }
        ASSERT_FALSE(positions.empty());
        EXPECT_EQ(positions.back(), "pos " + std::to_string(kFiles));
        EXPECT_LT(positions.size(), static_cast<size_t>(kFiles / 4));  // not one message per file
        for (const std::string& file : files) EXPECT_FALSE(FileExists(file)) << file;
    }
    {
        std::vector<std::string> files = MakeFiles(testsupport::NewScratchFolder("job-paced-stop"), 200);
        Job job;
        RecordingSink sink(clean::CleanList(files.begin(), files.end()));
        bool deleting = false, stopped = false;
        sink.hook = [&](const std::string& e) {
            if (e == "status _cpCleaning") deleting = true;
            // The phase's first position always shows at once.
            if (deleting && !stopped && e.rfind("pos ", 0) == 0) {
                stopped = true;
                job.RequestStop();
            }
        };
        ASSERT_TRUE(RunJob(job, sink));
        ASSERT_TRUE(stopped);
        int gone = 0;
        for (const std::string& file : files) gone += FileExists(file) ? 0 : 1;
        EXPECT_LE(gone, 1);
        EXPECT_EQ(sink.Statuses().back(), "_cpThreadStopped");
    }
}

TEST(CleanJob, ProgressRangeHoldsCountsBeyond16Bits) {
    testsupport::ProgramPlace place;
    WriteSettings(place, JobSettings());
    clean::CleanList files(70000, "d:\\never\\there.tmp");
    Job job;
    RecordingSink sink(files);
    ASSERT_TRUE(RunJob(job, sink));
    Texts events = sink.Events();
    EXPECT_EQ(events.at(3), "range 70000");
    EXPECT_EQ(events.at(events.size() - 3), "pos 70000");
}

}  // namespace
