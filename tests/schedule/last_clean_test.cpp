// The last clean as the schedule page reads it from the logs.
#include <gtest/gtest.h>

#include <string>

#include "schedule/last_clean.h"
#include "support/scratch.h"

namespace {

using schedule::LastClean;

std::string Summary(const std::string& counts, const std::string& status) {
    return "summary\tfiles=9\t" + counts +
           "\tplanned=0\tplanned_bytes=0\ttraces_run=1\ttraces_skipped=0\taction=backup+recycle\tstatus=" + status +
           "\r\n";
}

const std::string kCounts =
    "cleaned=6\tcleaned_bytes=98377\tkept=1\tkept_bytes=10\tfailed=2\tfailed_bytes=20\tskipped=3\tskipped_bytes=30";
const std::string kFileLine = "D:\\Temp\\a.tmp\t1024\tbackup+recycle\tcleaned\t\tTemporary file\r\n";

TEST(LastClean, ReadsTheSummaryOfACleanAndPassesOverOthers) {
    const LastClean expected{{2024, 5, 17, 9, 30, 5}, 6, 98377, 6, false};
    struct Case {
        const char* what;
        std::string name, text;
        std::optional<LastClean> read;
    } cases[] = {
        {"completed", "2024-05-17_09-30-05.log", kFileLine + Summary(kCounts, "completed"), expected},
        {"stopped", "2024-05-17_09-30-05.log", Summary(kCounts, "stopped"),
         LastClean{{2024, 5, 17, 9, 30, 5}, 6, 98377, 6, true}},
        {"without line end", "2024-05-17_09-30-05.log", kFileLine + "summary\t" + kCounts + "\tstatus=completed",
         expected},
        {"preview", "2024-05-17_09-30-05.log", Summary(kCounts, "preview"), std::nullopt},
        {"cut short", "2024-05-17_09-30-05.log", kFileLine, std::nullopt},
        {"no counts", "2024-05-17_09-30-05.log", "summary\tstatus=completed\r\n", std::nullopt},
        {"not a log's name", "notes.log", Summary(kCounts, "completed"), std::nullopt},
        {"no such date", "2024-02-30_09-30-05.log", Summary(kCounts, "completed"), std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(schedule::ReadCleanLog(c.name, c.text), c.read) << c.what;
}

TEST(LastClean, TheNewestCleanAmongTheLogsIsTheOneShown) {
    const std::string logs = testsupport::NewScratchFolder("logs") + "\\";
    EXPECT_EQ(schedule::NewestClean(logs), std::nullopt);
    EXPECT_EQ(schedule::NewestClean(logs + "missing\\"), std::nullopt);

    // A long log: its summary lies far from its start.
    std::string longLog;
    for (int i = 0; i < 400; ++i) longLog += kFileLine;
    testsupport::WriteFile(logs + "2024-05-10_08-00-00.log", longLog + Summary(kCounts, "completed"));
    testsupport::WriteFile(logs + "2024-05-01_08-00-00.log", Summary(kCounts, "stopped"));
    // Newer, but not cleans: a preview, a log cut short, another file.
    testsupport::WriteFile(logs + "2024-05-11_08-00-00.log", Summary(kCounts, "preview"));
    testsupport::WriteFile(logs + "2024-05-12_08-00-00.log", kFileLine);
    testsupport::WriteFile(logs + "2099-01-01.log", Summary(kCounts, "completed"));
    testsupport::MakeFolders(logs + "2099-01-01_00-00-00.log");

    const auto newest = schedule::NewestClean(logs);
    ASSERT_TRUE(newest);
    EXPECT_EQ(newest->started, (schedule::WallTime{2024, 5, 10, 8, 0, 0}));
    EXPECT_EQ(newest->cleanedFiles, 6u);
    EXPECT_FALSE(newest->stopped);
}

}  // namespace
