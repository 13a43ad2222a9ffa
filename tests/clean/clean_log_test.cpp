// What a clean tells of itself: the result it reports and the log it writes,
// from cleans of real files with every kind of outcome.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "clean/backup_layout.h"
#include "clean/clean_log.h"
#include "clean/clean_result.h"
#include "job_bed.h"
#include "paths/path_text.h"
#include "platform/handle.h"
#include "support/scratch.h"
#include "support/text_lines.h"

namespace {

using cleantest::Job;
using cleantest::JobSettings;
using cleantest::RecordingSink;
using cleantest::RunJob;
using cleantest::WriteSettings;
using testsupport::FileExists;
using testsupport::NewScratchFolder;
using testsupport::WriteFile;
using Row = std::vector<std::string>;
using Names = std::vector<std::string>;

platform::FileStamp Listed(const std::string& path) {
    WIN32_FIND_DATAA entry{};
    platform::FindHandle find(FindFirstFileA(path.c_str(), &entry));
    EXPECT_TRUE(find) << path;
    return platform::StampOf(entry);
}

// A file of the given size, as the scan listed it.
clean::CleanItem Found(const std::string& path, size_t size, std::string reason = "Temporary file") {
    WriteFile(path, std::string(size, 'j'));
    return {path, Listed(path), std::move(reason)};
}

Names Entries(const std::string& folder, bool folders) {
    Names names;
    WIN32_FIND_DATAA d{};
    platform::FindHandle find(FindFirstFileA((folder + "\\*").c_str(), &d));
    if (!find) return names;
    do {
        std::string name = d.cFileName;
        bool isFolder = (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (name != "." && name != ".." && isFolder == folders) names.push_back(name);
    } while (FindNextFileA(find.Get(), &d));
    std::sort(names.begin(), names.end());
    return names;
}

Names Logs() { return Entries(paths::WithoutTrailingBackslash(clean::LogRoot()), false); }
Names Sets() { return Entries(paths::WithoutTrailingBackslash(clean::BackupRoot()), true); }

std::vector<Row> ReadLog(const std::string& path) { return testsupport::TabRowsOf(testsupport::ReadFile(path)); }

// The summary line's "name=value" fields.
std::map<std::string, std::string> Summary(const Row& line) {
    std::map<std::string, std::string> fields;
    EXPECT_EQ(line.at(0), "summary");
    for (size_t i = 1; i < line.size(); ++i) {
        size_t equals = line[i].find('=');
        fields[line[i].substr(0, equals)] = equals == std::string::npos ? "" : line[i].substr(equals + 1);
    }
    return fields;
}

// The one log a clean wrote into a fresh program place.
std::vector<Row> OnlyLog() {
    Names logs = Logs();
    EXPECT_EQ(logs.size(), 1u);
    return logs.empty() ? std::vector<Row>{} : ReadLog(clean::LogRoot() + logs[0]);
}

struct Expected {
    std::string label;
    clean::CleanItem item;
    const char* result;
    const char* reason;
};

// Every file's line: path, listed size, action, result, reason, why found.
void ExpectFileLines(const std::vector<Row>& log, const std::vector<Expected>& files, const std::string& action) {
    ASSERT_GE(log.size(), files.size() + 1);
    for (size_t i = 0; i < files.size(); ++i) {
        const clean::CleanItem& item = files[i].item;
        const std::string size = item.listed ? std::to_string(item.listed->size) : "";
        EXPECT_EQ(log[i], Row({item.path, size, action, files[i].result, files[i].reason, item.reason}))
            << files[i].label;
    }
}

clean::Tally TallyOf(const std::vector<Expected>& files, const char* result) {
    clean::Tally tally;
    for (const Expected& f : files) {
        if (std::string(f.result) == result) tally.Add(clean::ListedSize(f.item));
    }
    return tally;
}

TEST(CleanResult, EveryKindOfOutcomeIsCountedWithItsSizeAndLoggedWithItsReason) {
    testsupport::ProgramPlace place("outcomes");
    WriteSettings(place, JobSettings().Delete().Cleaners({5}));
    cleantest::MakeRunHistory();
    const std::string d = NewScratchFolder("outcomes");
    std::vector<Expected> files;
    // A name in the narrow code page: the log holds it in UTF-8.
    files.push_back({"plain", Found(d + "\\pl\xE9in.tmp", 1000), "cleaned", ""});
    files.push_back({"in use", Found(d + "\\inuse.tmp", 20), "failed", "in-use"});
    platform::UniqueHandle holder(CreateFileA(files.back().item.path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    if (testsupport::FolderExists(testsupport::kSealedFolder)) {
        // Written through the open folder, cleaned through its read-only mount.
        const std::string name = "\\sealed-" + std::to_string(GetCurrentProcessId()) + ".tmp";
        WriteFile(testsupport::kOpenFolder + name, std::string(30, 's'));
        const std::string path = testsupport::kSealedFolder + name;
        files.push_back({"read-only folder", {path, Listed(path), "Temporary file"}, "failed", "access-denied"});
    }
    files.push_back({"vanished", Found(d + "\\gone.tmp", 40), "failed", "vanished"});
    DeleteFileA(files.back().item.path.c_str());
    const std::string link = std::string(testsupport::kFileLinkFarm) + "\\junk\\link.tmp";
    files.push_back({"link", {link, Listed(link), "Temporary file"}, "kept", "link"});
    files.push_back({"changed", Found(d + "\\changed.tmp", 50, "odd\treason"), "kept", "changed-since-scan"});
    WriteFile(files.back().item.path, "rewritten since the scan");

    clean::CleanList list;
    for (const Expected& f : files) list.push_back(f.item);
    Job job;
    RecordingSink sink(list);
    ASSERT_TRUE(RunJob(job, sink));
    holder.Reset();

    const clean::CleanResult result = sink.Result();
    EXPECT_EQ(result.action, "delete");
    EXPECT_FALSE(result.stopped);
    const clean::CleanCounts counts = clean::CountResult(result);
    EXPECT_EQ(counts.cleaned, TallyOf(files, "cleaned"));
    EXPECT_EQ(counts.kept, TallyOf(files, "kept"));
    EXPECT_EQ(counts.failed, TallyOf(files, "failed"));
    EXPECT_EQ(counts.skipped, clean::Tally{});
    EXPECT_EQ(counts.tracesRun, 1);
    EXPECT_EQ(clean::NotCleanedFiles(result).size(), files.size() - 1);
    EXPECT_TRUE(FileExists(std::string(testsupport::kFileLinkFarm) + "\\target\\precious.tmp"));

    ASSERT_EQ(result.logPath, clean::LogRoot() + Logs().at(0));
    std::vector<Row> log = OnlyLog();
    files[0].item.path = d + "\\pl\xC3\xA9in.tmp";
    files.back().item.reason = "odd?reason";  // a tab never splits a column
    ExpectFileLines(log, files, "delete");
    ASSERT_EQ(log.size(), files.size() + 2);
    EXPECT_EQ(log[files.size()], Row({"trace:run-history", "", "erase", "cleaned", "", ""}));
    auto summary = Summary(log.back());
    EXPECT_EQ(summary["files"], std::to_string(files.size()));
    EXPECT_EQ(summary["cleaned"], "1");
    EXPECT_EQ(summary["cleaned_bytes"], "1000");
    EXPECT_EQ(summary["kept"], "2");
    EXPECT_EQ(summary["failed"], std::to_string(counts.failed.files));
    EXPECT_EQ(summary["failed_bytes"], std::to_string(counts.failed.bytes));
    EXPECT_EQ(summary["traces_run"], "1");
    EXPECT_EQ(summary["status"], "completed");
}

// f: is nearly full: the backup copy of a large file fails there, and the
// file stays; the small one is backed up and cleaned; a path without a drive
// letter has no place in a set. The log takes the set's name.
TEST(CleanResult, AFullBackupDriveKeepsTheFilesItCannotCopy) {
    ULARGE_INTEGER free{};
    if (!GetDiskFreeSpaceExA("f:\\", &free, nullptr, nullptr) || free.QuadPart > 200 * 1024) {
        GTEST_SKIP() << "the test bed has no nearly full drive f: here";
    }
    testsupport::ProgramPlace place("full-backup", 'f');
    WriteSettings(place, JobSettings().Backup().Delete());
    const std::string d = NewScratchFolder("to-back-up");
    std::vector<Expected> files = {
        {"too large", Found(d + "\\large.bin", static_cast<size_t>(free.QuadPart) + 64 * 1024), "kept",
         "backup-copy-failed"},
        {"small", Found(d + "\\small.tmp", 10), "cleaned", ""},
        {"no drive letter", {"\\\\server\\share\\x.tmp"}, "kept", "no-backup-place"},
    };
    clean::CleanList list;
    for (const Expected& f : files) list.push_back(f.item);
    Job job;
    RecordingSink sink(list);
    ASSERT_TRUE(RunJob(job, sink));

    EXPECT_TRUE(FileExists(files[0].item.path));
    EXPECT_FALSE(FileExists(files[1].item.path));
    const clean::CleanCounts counts = clean::CountResult(sink.Result());
    EXPECT_EQ(counts.kept, TallyOf(files, "kept"));
    EXPECT_EQ(counts.cleaned, (clean::Tally{1, 10}));
    ASSERT_EQ(Sets().size(), 1u);
    EXPECT_EQ(Logs(), Names{Sets()[0] + ".log"});
    std::vector<Row> log = OnlyLog();
    ExpectFileLines(log, files, "backup+delete");
    EXPECT_EQ(Summary(log.back())["kept"], "2");
}

TEST(CleanResult, FilesNoPhaseReachedAreSkippedWithTheReasonWhy) {
    struct Case {
        const char* label;
        JobSettings settings;
        bool stopAtFirstFile;
        const char* action;
        const char* reason;
    } cases[] = {
        {"stopped", JobSettings().Delete().Cleaners({1, 5}), true, "delete", "stopped"},
        {"backup only", JobSettings().Backup(), false, "backup", "no-disposal"},
        {"no folder to move to", JobSettings().Move(""), false, "none", "no-disposal"},
    };
    for (const Case& c : cases) {
        testsupport::ProgramPlace place("skipped");
        WriteSettings(place, c.settings);
        const std::string d = NewScratchFolder("skipped");
        clean::CleanList list = {Found(d + "\\a.tmp", 7), Found(d + "\\b.tmp", 8)};
        Job job(0);
        RecordingSink sink(list);
        sink.hook = [&](const std::string& e) {
            if (c.stopAtFirstFile && e == "pos 0") job.RequestStop();
        };
        ASSERT_TRUE(RunJob(job, sink)) << c.label;
        const clean::CleanResult result = sink.Result();
        EXPECT_EQ(clean::CountResult(result).skipped, (clean::Tally{2, 15})) << c.label;
        EXPECT_EQ(result.stopped, c.stopAtFirstFile) << c.label;
        std::vector<Row> log = OnlyLog();
        ASSERT_FALSE(log.empty()) << c.label;
        for (size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(log[i], Row({list[i].path, i == 0 ? "7" : "8", c.action, "skipped", c.reason, "Temporary file"}))
                << c.label;
        }
        if (c.stopAtFirstFile) {
            // The switched-on trace cleaners that did not run are listed too.
            EXPECT_EQ(log[2], Row({"trace:clipboard", "", "erase", "skipped", "stopped", ""}));
            EXPECT_EQ(log[3], Row({"trace:run-history", "", "erase", "skipped", "stopped", ""}));
        }
        EXPECT_EQ(Summary(log.back())["status"], c.stopAtFirstFile ? "stopped" : "completed") << c.label;
    }
}

// Logs and sets share one kind of name; no two cleans ever share one, and a
// clean with a backup set logs under the set's very name.
TEST(CleanLog, EveryCleanLogsUnderANameNoLogOrSetHasYet) {
    testsupport::ProgramPlace place("log-names");
    WriteSettings(place, JobSettings().Delete());
    // Names for the next seconds are taken: logs first, then sets.
    SYSTEMTIME now{};
    GetLocalTime(&now);
    FILETIME start{};
    SystemTimeToFileTime(&now, &start);
    ULARGE_INTEGER ticks{{start.dwLowDateTime, start.dwHighDateTime}};
    Names taken;
    testsupport::MakeFolders(paths::WithoutTrailingBackslash(clean::LogRoot()));
    for (int second = 0; second < 24; ++second, ticks.QuadPart += 10000000) {
        FILETIME time{ticks.LowPart, ticks.HighPart};
        SYSTEMTIME t{};
        FileTimeToSystemTime(&time, &t);
        taken.push_back(clean::BackupSetName(t));
        if (second < 16) {
            WriteFile(clean::LogPathFor(taken.back()), "an earlier clean's log");
        } else {
            testsupport::MakeFolders(clean::BackupRoot() + taken.back());
        }
    }
    auto isNew = [&](const std::string& name) {
        return std::find(taken.begin(), taken.end(), name) == taken.end();
    };
    const Names logsBefore = Logs();
    Job job;
    RecordingSink first;
    ASSERT_TRUE(RunJob(job, first));
    RecordingSink second;
    ASSERT_TRUE(RunJob(job, second));
    const std::string firstName = paths::LastComponent(first.Result().logPath);
    const std::string secondName = paths::LastComponent(second.Result().logPath);
    EXPECT_TRUE(clean::IsLogFileName(firstName)) << firstName;
    EXPECT_TRUE(isNew(firstName.substr(0, 19))) << firstName;
    EXPECT_TRUE(isNew(secondName.substr(0, 19))) << secondName;
    EXPECT_NE(firstName, secondName);
    EXPECT_EQ(Logs().size(), logsBefore.size() + 2);

    WriteSettings(place, JobSettings().Backup().Delete());
    const std::string d = NewScratchFolder("log-names");
    RecordingSink backedUp({Found(d + "\\a.tmp", 1)});
    ASSERT_TRUE(RunJob(job, backedUp));
    Names sets = Sets();
    auto made = std::find_if(sets.begin(), sets.end(), isNew);
    ASSERT_NE(made, sets.end());
    EXPECT_NE(*made + ".log", firstName);
    EXPECT_NE(*made + ".log", secondName);
    EXPECT_EQ(backedUp.Result().logPath, clean::LogPathFor(*made));
    EXPECT_EQ(ReadLog(backedUp.Result().logPath).at(0).at(3), "cleaned");
}

TEST(CleanLog, OnlyTheLastHundredLogsAreKeptAndNothingElseIsRemoved) {
    testsupport::ProgramPlace place("log-prune");
    WriteSettings(place, JobSettings().Delete());
    const std::string root = paths::WithoutTrailingBackslash(clean::LogRoot());
    testsupport::MakeFolders(root);
    Names old;
    for (int i = 0; i < 120; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "2001-01-01_00-%02d-%02d.log", i / 60, i % 60);
        old.push_back(name);
        WriteFile(root + "\\" + name, "old");
    }
    const Names others = {"2000-01-01_00-00-00.log.txt", "notes.txt", "yyyy-mm-dd_hh-mm-ss.log"};
    for (const std::string& name : others) WriteFile(root + "\\" + name, "not a log of a clean");
    testsupport::MakeFolders(root + "\\2000-01-01_00-00-01.log");

    Job job;
    RecordingSink sink;
    ASSERT_TRUE(RunJob(job, sink));
    const std::string made = paths::LastComponent(sink.Result().logPath);
    Names expected(old.begin() + 21, old.end());  // the 99 newest of the old ones
    expected.push_back(made);
    expected.insert(expected.end(), others.begin(), others.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Logs(), expected);
    EXPECT_TRUE(testsupport::FolderExists(root + "\\2000-01-01_00-00-01.log"));
}

// The age rule runs once when it is on, with the plan's days, told whether
// the clean is a preview; a clean's log already says it is running by then
// (a set is removed only with a record). The sets it took away (or could
// not, or would) come first in the log, and the summary counts those
// removed.
TEST(CleanLog, BackupSetsTheAgeRuleTookAwayComeFirst) {
    const struct {
        const char* label;
        int days;
        clean::CleanKind kind;
        std::vector<clean::AgedSetRun> runs;
        std::vector<Row> lines;
        std::string removed, removedBytes;
    } cases[] = {
        {"rule off", 0, clean::CleanKind::Real, {}, {}, "0", "0"},
        {"removed and in use",
         45,
         clean::CleanKind::Real,
         {{"2020-01-01_00-00-00", 300, clean::AgedSetResult::Removed},
          {"2020-02-01_00-00-00", 20, clean::AgedSetResult::InUse},
          {"2020-03-01_00-00-00", 1, clean::AgedSetResult::Failed}},
         {{"backup-set:2020-01-01_00-00-00", "300", "remove", "cleaned", "", ""},
          {"backup-set:2020-02-01_00-00-00", "20", "remove", "failed", "in-use", ""},
          {"backup-set:2020-03-01_00-00-00", "1", "remove", "failed", "error", ""}},
         "1",
         "300"},
        {"preview",
         7,
         clean::CleanKind::Preview,
         {{"2020-01-01_00-00-00", 300, clean::AgedSetResult::Planned}},
         {{"backup-set:2020-01-01_00-00-00", "300", "remove", "planned", "", ""}},
         "0",
         "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        testsupport::ProgramPlace place("agedlog");
        WriteSettings(place, JobSettings().Delete());
        clean::CleanPlan plan{{Found(NewScratchFolder("agedlog") + "\\a.tmp", 10)}, config::LoadCleanSettings(),
                              c.kind, {}};
        plan.settings.removeSetsOlderThanDays = c.days;
        std::vector<std::pair<int, bool>> asked;
        bool logWritten = false;
        RecordingSink sink(plan.files);
        Job job;
        const clean::CleanResult result =
            clean::RunClean(std::move(plan), sink, job.stop, job.paceMs, [&](int days, bool preview) {
                asked.emplace_back(days, preview);
                WIN32_FIND_DATAA entry{};
                logWritten = platform::FindHandle(::FindFirstFileA((clean::LogRoot() + "*.log").c_str(), &entry)).Valid();
                return c.runs;
            });
        if (c.days == 0) {
            EXPECT_TRUE(asked.empty());
        } else {
            const bool preview = c.kind == clean::CleanKind::Preview;
            EXPECT_EQ(asked, (std::vector<std::pair<int, bool>>{{c.days, preview}}));
            EXPECT_EQ(logWritten, !preview) << "a preview writes its log at the end";
        }
        EXPECT_EQ(result.agedSets, c.runs);
        const std::vector<Row> log = ReadLog(result.logPath);
        ASSERT_EQ(log.size(), c.lines.size() + 2);
        EXPECT_EQ(std::vector<Row>(log.begin(), log.begin() + static_cast<long>(c.lines.size())), c.lines);
        auto summary = Summary(log.back());
        EXPECT_EQ(summary["sets_removed"], c.removed);
        EXPECT_EQ(summary["sets_removed_bytes"], c.removedBytes);
        EXPECT_EQ(summary["files"], "1") << "the sets are no files of the clean";
    }
}

}  // namespace
