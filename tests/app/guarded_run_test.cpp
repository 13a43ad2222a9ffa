// Unattended runs of the real program on a file system that does not play
// along: names that lead to another file than the one listed, a bin that
// takes nothing, names a reader of the log would break a line on, control
// characters, and a log that cannot be written. Whatever happens, no file
// is lost, and the record tells what was done.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "config/config_document.h"
#include "platform/codepage.h"
#include "platform/handle.h"
#include "program_runner.h"
#include "run_settings.h"
#include "support/environment_override.h"
#include "support/scratch.h"
#include "support/text_lines.h"

namespace {

using apptest::ProgramCopy;
using apptest::RunningProgram;
using Setting = std::pair<const char*, int>;

constexpr const char* kDelete = "/Config/Options/CleanOpt/Clean";
constexpr const char* kRecycle = "/Config/Options/CleanOpt/MoveToRecycle";
constexpr const char* kBackup = "/Config/Options/CleanOpt/Backup";
constexpr const char* kShortcuts = "/Config/Options/Search/FindInvalidShortcuts";
constexpr const char* kNotAccessed = "/Config/Options/Search/FindFilesHaveNotAccessed";

// The shipped settings with the given switches (every way of cleaning off
// otherwise, no trace cleaner) and the folder as the selection.
void Configure(const ProgramCopy& copy, const std::vector<Setting>& switches, const std::string& folder) {
    config::ConfigDocument doc;
    ASSERT_TRUE(doc.Open(copy.SettingsPath()));
    for (const char* off : {kDelete, kRecycle, "/Config/Options/CleanOpt/MoveToFolder", kBackup,
                            "/Config/Options/AdvCleanOpt/CleanSysTempDir"}) {
        doc.SetAttribute(off, "custom", 0);
    }
    for (const auto& [path, value] : switches) doc.SetAttribute(path, "custom", value);
    doc.SetAttribute(kNotAccessed, "month", 1);
    ASSERT_TRUE(apptest::AddToSelection(doc, folder));
    ASSERT_TRUE(doc.Save());
}

long RunToEnd(const ProgramCopy& copy, const char* arguments) {
    RunningProgram program(copy, arguments);
    EXPECT_TRUE(program.Started());
    return program.WaitForExit(120000);
}

// The sizes of every file below the folders, as their listing gives them:
// a file kept under another name is still kept. Nothing is opened: a name
// that looks like another leads to one of them only, and a name with a
// control character to none.
void CollectSizes(const std::wstring& folder, std::vector<uint64_t>& sizes) {
    WIN32_FIND_DATAW entry{};
    platform::FindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (!find) return;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CollectSizes(folder + L"\\" + name, sizes);
        } else {
            sizes.push_back((uint64_t{entry.nFileSizeHigh} << 32) | entry.nFileSizeLow);
        }
    } while (::FindNextFileW(find.Get(), &entry));
}

std::vector<uint64_t> Sizes(const std::vector<std::string>& folders) {
    std::vector<uint64_t> sizes;
    for (const std::string& folder : folders) CollectSizes(platform::ToWide(folder), sizes);
    std::sort(sizes.begin(), sizes.end());
    return sizes;
}

using Row = std::vector<std::string>;

std::vector<Row> LogOf(const ProgramCopy& copy) {
    const std::string logs = copy.Folder() + "\\Data\\ToolJunkSweep\\Logs";
    WIN32_FIND_DATAA entry{};
    platform::FindHandle find(::FindFirstFileA((logs + "\\*.log").c_str(), &entry));
    if (!find) return {};
    return testsupport::TabRowsOf(testsupport::ReadFile(logs + "\\" + entry.cFileName));
}

// Twins made on the host (scripts/lib/testbed.sh): "Twin.tmp" and
// "twin.tmp", and two names of bytes that are not UTF-8, both listed as
// "a\uFFFD.tmp"; their sizes tell them apart. A name reaches one file of
// each pair only; a backup set,
// like a folder on Windows, holds one of each name. Before, the second copy
// overwrote the first in the set and both files were deleted, and a bin
// that took nothing lost the file whose twin still answered to its name.
TEST(GuardedRun, LookAlikeNamesNeverCostAFile) {
    char dataHome[4096] = {};
    if (::GetEnvironmentVariableA("XDG_DATA_HOME", dataHome, sizeof dataHome) == 0) {
        GTEST_SKIP() << "needs the test bed's Wine bin";
    }
    const std::vector<uint64_t> all = {5, 6, 7, 8};
    struct Case {
        const char* use;
        std::vector<Setting> switches;
        const char* dataHome;  // below XDG_DATA_HOME; empty for the test bed's own bin
    } cases[] = {
        {"backup", {{kBackup, 1}, {kDelete, 1}}, ""},
        {"recycle", {{kRecycle, 1}}, "/unusable-bins/no-trash"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.use);
        const std::string folder = std::string("e:\\fixtures\\twins\\") + c.use;
        ASSERT_EQ(Sizes({folder}), all) << "the fixture";
        ProgramCopy copy(c.use);
        Configure(copy, c.switches, folder);
        testsupport::EnvironmentOverride environment;
        if (*c.dataHome) environment.Set("XDG_DATA_HOME", std::string(dataHome) + c.dataHome);
        EXPECT_EQ(RunToEnd(copy, "/auto /hide"), 2);
        EXPECT_EQ(Sizes({folder, copy.Folder() + "\\Data\\ToolJunkSweep\\Backup"}), all);
        // What the log calls cleaned is gone from the folder for good.
        size_t cleaned = 0;
        for (const Row& line : LogOf(copy)) cleaned += line.size() > 3 && line[3] == "cleaned";
        EXPECT_EQ(Sizes({folder}).size(), all.size() - cleaned);
    }
}

// A clean whose log cannot be written does nothing, and says so by its exit
// code: the log is the record scheduled tasks read, and before, they read
// the last run's while this one deleted files.
TEST(GuardedRun, ACleanThatCannotWriteItsLogDisposesOfNothing) {
    const std::string folder = testsupport::NewScratchFolder("unlogged", 'e');
    testsupport::WriteFile(folder + "\\junk.tmp", "junk");
    ProgramCopy copy("unlogged");
    Configure(copy, {{kDelete, 1}}, folder);
    testsupport::MakeFolders(copy.Folder() + "\\Data\\ToolJunkSweep");
    testsupport::WriteFile(copy.Folder() + "\\Data\\ToolJunkSweep\\Logs", "a file where the logs belong");
    EXPECT_EQ(RunToEnd(copy, "/auto /hide"), 4);
    EXPECT_EQ(testsupport::ReadFile(folder + "\\junk.tmp"), "junk");
}

// Names another system made: line breaks of every kind a reader of text
// knows, which must never break a line of the log, and control characters,
// which no path function takes: such a file cannot be reached, and is never
// reported gone while it is still there.
TEST(GuardedRun, OddNamesNeitherBreakTheLogNorPassForVanished) {
    const std::string folder = "e:\\fixtures\\oddnames";
    for (const char* name : {"nel\xC2\x85.tmp", "line\xE2\x80\xA8.tmp", "para\xE2\x80\xA9.tmp"}) {
        testsupport::WriteFileW(testsupport::WidePath(folder, name), name);
    }
    ProgramCopy copy("oddnames");
    Configure(copy, {{kDelete, 1}}, folder);
    EXPECT_EQ(RunToEnd(copy, "/auto /hide"), 2);
    const std::vector<Row> log = LogOf(copy);
    ASSERT_FALSE(log.empty());
    for (const Row& line : log) {
        EXPECT_TRUE(line.size() == 6 || line.at(0) == "summary") << line.at(0);
        EXPECT_TRUE(std::find(line.begin(), line.end(), "vanished") == line.end()) << line.at(0);
    }
    EXPECT_EQ(log.size(), 5u) << "the four deleted files and the summary";
    EXPECT_EQ(Sizes({folder}), (std::vector<uint64_t>{2, 3, 4}));
}

// A preview reads shortcuts to judge them, and must leave the time they were
// last opened as it was: a later search for files not opened for months
// looks at it.
TEST(GuardedRun, APreviewLeavesTheShortcutsItReadsAsTheyWere) {
    const std::string folder = testsupport::NewScratchFolder("shortcuts", 'e');
    const std::string shortcut = folder + "\\gone.lnk";
    testsupport::WriteShortcut(shortcut, folder + "\\gone.txt");
    testsupport::SetAccessedDaysAgo(shortcut, 100);
    WIN32_FILE_ATTRIBUTE_DATA before{};
    ASSERT_TRUE(::GetFileAttributesExA(shortcut.c_str(), GetFileExInfoStandard, &before));
    ProgramCopy copy("shortcuts");
    Configure(copy, {{kDelete, 1}, {kShortcuts, 1}, {kNotAccessed, 1}}, folder);
    EXPECT_EQ(RunToEnd(copy, "/preview /hide"), 2);
    WIN32_FILE_ATTRIBUTE_DATA after{};
    ASSERT_TRUE(::GetFileAttributesExA(shortcut.c_str(), GetFileExInfoStandard, &after));
    EXPECT_EQ(::CompareFileTime(&before.ftLastAccessTime, &after.ftLastAccessTime), 0);
    const std::vector<Row> log = LogOf(copy);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].at(3), "planned");
    EXPECT_EQ(log[0].at(5), "Invalid Shortcut");
}

}  // namespace
