// Unattended runs of the real program: "/auto /hide" over a stored selection
// on a scratch drive scans, cleans and ends by itself.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "config/config_document.h"
#include "platform/codepage.h"
#include "platform/handle.h"
#include "program_runner.h"
#include "run_settings.h"
#include "support/scratch.h"
#include "support/text_lines.h"

namespace {

using apptest::ProgramCopy;
using apptest::RunningProgram;

using Mode = apptest::CleanWay;

// The demo folder: junk under the factory junk types, and files to keep.
const std::vector<std::string> kJunk = {"a.tmp", "sub\\b.bak", "sub\\deep\\c.txt~", "sub\\x.tmp", "sub2\\x.tmp",
                                        "sub2\\Thumbs.db"};
const std::vector<std::string> kKept = {"keep.txt", "sub\\keep.doc", "sub\\deep\\notes.txt", "build.log",
                                        "readonly.tmp"};  // read-only files are skipped by the shipped settings

std::set<std::string> FilesBelow(const std::string& folder, const std::string& prefix = "") {
    std::set<std::string> files;
    WIN32_FIND_DATAA entry;
    platform::FindHandle find(::FindFirstFileA((folder + "\\*").c_str(), &entry));
    if (!find) return files;
    do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            auto below = FilesBelow(folder + "\\" + name, prefix + name + "\\");
            files.insert(below.begin(), below.end());
        } else {
            files.insert(prefix + name);
        }
    } while (::FindNextFileA(find.Get(), &entry));
    return files;
}

std::vector<std::string> FoldersIn(const std::string& folder) {
    std::vector<std::string> folders;
    WIN32_FIND_DATAA entry;
    platform::FindHandle find(::FindFirstFileA((folder + "\\*").c_str(), &entry));
    if (!find) return folders;
    do {
        std::string name = entry.cFileName;
        if (name != "." && name != ".." && (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) folders.push_back(name);
    } while (::FindNextFileA(find.Get(), &entry));
    return folders;
}

LONGLONG RecycledItems() {
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    if (FAILED(::SHQueryRecycleBinA(nullptr, &info))) return -1;
    return info.i64NumItems;
}

class AutoRun : public testing::Test {
protected:
    AutoRun() : demo_(testsupport::NewScratchFolder("demo", 'e')) {
        for (const auto& name : kJunk) Write(name, "junk " + name);
        for (const auto& name : kKept) Write(name, "keep " + name);
        ::SetFileAttributesA((demo_ + "\\readonly.tmp").c_str(), FILE_ATTRIBUTE_READONLY);
    }
    ~AutoRun() override { ::SetFileAttributesA((demo_ + "\\readonly.tmp").c_str(), FILE_ATTRIBUTE_NORMAL); }

    void Write(const std::string& name, const std::string& content) const {
        std::string path = demo_ + "\\" + name;
        testsupport::MakeFolders(path.substr(0, path.find_last_of('\\')));
        testsupport::WriteFile(path, content);
    }

    // The shipped settings with the demo folder as the selection.
    void Configure(const ProgramCopy& copy, Mode mode, bool backup, const std::string& moveTarget) const {
        config::ConfigDocument doc;
        ASSERT_TRUE(doc.Open(copy.SettingsPath()));
        apptest::SetCleanWay(doc, mode, backup, moveTarget);
        doc.SetAttribute("/Config/Welcome/ShowWelcome", "custom", 1);
        ASSERT_TRUE(apptest::AddToSelection(doc, demo_));
        ASSERT_TRUE(doc.Save());
    }

    std::string demo_;
};

using Row = std::vector<std::string>;

// The one log beside the program: its name and its lines split at tabs.
std::pair<std::string, std::vector<Row>> OnlyLog(const ProgramCopy& copy) {
    const std::string folder = copy.Folder() + "\\Data\\ToolJunkSweep\\Logs";
    const std::set<std::string> names = FilesBelow(folder);
    EXPECT_EQ(names.size(), 1u) << folder;
    if (names.empty()) return {};
    return {*names.begin(), testsupport::TabRowsOf(testsupport::ReadFile(folder + "\\" + *names.begin()))};
}

// What a file is: its bytes, attributes and times as its folder lists them.
struct FileState {
    std::string content;
    DWORD attributes = 0;
    uint64_t lastWrite = 0;
    uint64_t lastAccess = 0;  // 0 where it is not compared
    bool operator==(const FileState&) const = default;
};

uint64_t Ticks(const FILETIME& time) { return (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime; }

// Every file below folder but those below skip, without reading a byte:
// listing a file leaves its last-access time as it is.
std::map<std::string, FileState> ListedStates(const std::string& folder, bool withAccess, const std::string& skip = "") {
    std::map<std::string, FileState> states;
    for (const std::string& name : FilesBelow(folder)) {
        if (!skip.empty() && name.rfind(skip, 0) == 0) continue;
        WIN32_FILE_ATTRIBUTE_DATA data{};
        EXPECT_TRUE(::GetFileAttributesExA((folder + "\\" + name).c_str(), GetFileExInfoStandard, &data)) << name;
        states[name] = {"", data.dwFileAttributes, Ticks(data.ftLastWriteTime),
                        withAccess ? Ticks(data.ftLastAccessTime) : 0};
    }
    return states;
}

void ReadContents(const std::string& folder, std::map<std::string, FileState>& states) {
    for (auto& [name, state] : states) state.content = testsupport::ReadFile(folder + "\\" + name);
}

// Moves every file's last-access time a month back: a run that opened and
// read a file would move it to now (the drives are mounted relatime), and
// the search for files not opened for months would lose what it looks at.
void AgeAccessTimes(const std::string& folder) {
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    const uint64_t monthAgo = Ticks(now) - 30ull * 24 * 3600 * 10000000;
    const FILETIME old{static_cast<DWORD>(monthAgo), static_cast<DWORD>(monthAgo >> 32)};
    for (const std::string& name : FilesBelow(folder)) {
        platform::UniqueHandle file(::CreateFileA((folder + "\\" + name).c_str(), FILE_WRITE_ATTRIBUTES,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                                  nullptr));
        ASSERT_TRUE(file) << name;
        ASSERT_TRUE(::SetFileTime(file.Get(), nullptr, &old, nullptr)) << name;
    }
}

bool HasField(const Row& summary, const std::string& field) {
    return std::find(summary.begin(), summary.end(), field) != summary.end();
}

TEST_F(AutoRun, CleansExactlyTheJunkOfTheSelectionAndEnds) {
    struct Case {
        Mode mode;
        bool backup;
    } cases[] = {{Mode::Delete, false}, {Mode::Delete, true},  {Mode::Recycle, false},
                 {Mode::Recycle, true}, {Mode::Move, false},   {Mode::Move, true}};
    const std::set<std::string> kept(kKept.begin(), kKept.end());
    for (const auto& c : cases) {
        const std::string label = std::to_string(static_cast<int>(c.mode)) + (c.backup ? " with backup" : "");
        // A fresh tree for every run.
        for (const auto& name : kJunk) Write(name, "junk " + name);
        ProgramCopy copy("auto");
        const std::string moveTarget = testsupport::NewScratchFolder("moved", 'e') + "\\Junk\\";
        Configure(copy, c.mode, c.backup, moveTarget);
        const LONGLONG recycledBefore = RecycledItems();

        RunningProgram program(copy, "/auto /hide");
        ASSERT_TRUE(program.Started());
        EXPECT_EQ(program.WaitForExit(120000), 2) << label;

        EXPECT_EQ(FilesBelow(demo_), kept) << label;
        const LONGLONG recycled = RecycledItems() - recycledBefore;
        EXPECT_EQ(recycled, c.mode == Mode::Recycle ? static_cast<LONGLONG>(kJunk.size()) : 0) << label;
        const std::set<std::string> moved = FilesBelow(moveTarget.substr(0, moveTarget.size() - 1));
        if (c.mode == Mode::Move) {
            EXPECT_EQ(moved, (std::set<std::string>{"a.tmp", "b.bak", "c.txt~", "x.tmp", "x.tmp_0", "Thumbs.db"}))
                << label;
            EXPECT_EQ(testsupport::ReadFile(moveTarget + "a.tmp"), "junk a.tmp");
        } else {
            EXPECT_TRUE(moved.empty()) << label;
        }

        const std::string backupRoot = copy.Folder() + "\\Data\\ToolJunkSweep\\Backup";
        std::vector<std::string> sets = FoldersIn(backupRoot);
        if (c.backup) {
            ASSERT_EQ(sets.size(), 1u) << label;
            EXPECT_TRUE(std::regex_match(sets[0], std::regex(R"(\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d)"))) << sets[0];
            const std::string set = backupRoot + "\\" + sets[0];
            // The drive letter becomes a folder, and the rest of the path follows.
            std::set<std::string> expected;
            for (const auto& name : kJunk) expected.insert("e" + demo_.substr(2) + "\\" + name);
            EXPECT_EQ(FilesBelow(set), expected) << label;
            EXPECT_EQ(testsupport::ReadFile(set + "\\e" + demo_.substr(2) + "\\sub\\b.bak"), "junk sub\\b.bak");
        } else {
            EXPECT_TRUE(sets.empty()) << label;
        }
        // The clean's log, named like its set when it made one, is the record.
        const auto [logName, log] = OnlyLog(copy);
        ASSERT_EQ(log.size(), kJunk.size() + 1) << label;
        if (c.backup) {
            EXPECT_EQ(logName, sets.at(0) + ".log") << label;
        }
        for (size_t i = 0; i < kJunk.size(); ++i) EXPECT_EQ(log[i].at(3), "cleaned") << label << " " << log[i][0];
        EXPECT_TRUE(HasField(log.back(), "cleaned=" + std::to_string(kJunk.size()))) << label;
        EXPECT_TRUE(HasField(log.back(), "status=completed")) << label;
        // The welcome page was passed by itself and kept its setting.
        config::ConfigDocument doc;
        ASSERT_TRUE(doc.Open(copy.SettingsPath()));
        EXPECT_EQ(doc.GetAttribute("/Config/Welcome/ShowWelcome", "custom"), "1") << label;
    }
}

// A preview scans the stored selection and logs what a clean would do,
// and changes nothing: no file (not its bytes, attributes or times, nor
// when it was last read), no trace, not even the settings' time.
TEST_F(AutoRun, APreviewLeavesEveryFileAndTheSettingsUntouchedAndLogsThePlan) {
    std::map<std::string, FileState> demoBefore = ListedStates(demo_, false);
    ReadContents(demo_, demoBefore);
    AgeAccessTimes(demo_);
    const char* kRunMru = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
    for (const char* commandLine : {"/auto /preview /hide", "/preview /hide"}) {
        ProgramCopy copy("preview");
        Configure(copy, Mode::Delete, true, "");
        {
            config::ConfigDocument doc;
            ASSERT_TRUE(doc.Open(copy.SettingsPath()));
            doc.SetAttribute("/Config/Options/AdvCleanOpt/CleanRunHistory", "custom", 1);
            ASSERT_TRUE(doc.Save());
        }
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kRunMru, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ::RegCloseKey(key);
        const std::string settings = testsupport::ReadFile(copy.SettingsPath());
        WIN32_FILE_ATTRIBUTE_DATA before{};
        ASSERT_TRUE(::GetFileAttributesExA(copy.SettingsPath().c_str(), GetFileExInfoStandard, &before));
        // The program's own files: it reads them, so their access times move.
        std::map<std::string, FileState> ownBefore = ListedStates(copy.Folder(), false);
        ReadContents(copy.Folder(), ownBefore);
        const std::map<std::string, FileState> timesBefore = ListedStates(demo_, true);
        const LONGLONG recycledBefore = RecycledItems();

        RunningProgram program(copy, commandLine);
        ASSERT_TRUE(program.Started());
        EXPECT_EQ(program.WaitForExit(120000), 2) << commandLine;

        std::map<std::string, FileState> timesAfter = ListedStates(demo_, true);
        EXPECT_EQ(timesAfter, timesBefore) << commandLine;
        std::map<std::string, FileState> demoAfter = ListedStates(demo_, false);
        ReadContents(demo_, demoAfter);
        EXPECT_EQ(demoAfter, demoBefore) << commandLine;
        std::map<std::string, FileState> ownAfter = ListedStates(copy.Folder(), false, "Data\\ToolJunkSweep\\Logs\\");
        ReadContents(copy.Folder(), ownAfter);
        EXPECT_EQ(ownAfter, ownBefore) << commandLine;
        EXPECT_EQ(RecycledItems(), recycledBefore) << commandLine;
        AgeAccessTimes(demo_);  // the contents were read for the next command line
        EXPECT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kRunMru, 0, KEY_READ, &key), ERROR_SUCCESS) << commandLine;
        ::RegCloseKey(key);
        EXPECT_EQ(testsupport::ReadFile(copy.SettingsPath()), settings) << commandLine;
        WIN32_FILE_ATTRIBUTE_DATA after{};
        ASSERT_TRUE(::GetFileAttributesExA(copy.SettingsPath().c_str(), GetFileExInfoStandard, &after));
        EXPECT_EQ(::CompareFileTime(&before.ftLastWriteTime, &after.ftLastWriteTime), 0) << commandLine;
        EXPECT_FALSE(testsupport::FolderExists(copy.Folder() + "\\Data\\ToolJunkSweep\\Backup")) << commandLine;

        const auto [logName, log] = OnlyLog(copy);
        ASSERT_EQ(log.size(), kJunk.size() + 2) << commandLine;
        // Each junk file's line, but for why the scan found it (the last column).
        std::set<Row> lines, expected;
        for (size_t i = 0; i < kJunk.size(); ++i) {
            ASSERT_EQ(log[i].size(), 6u) << commandLine;
            lines.insert(Row(log[i].begin(), log[i].end() - 1));
        }
        for (const std::string& name : kJunk) {
            const std::string size = std::to_string(("junk " + name).size());
            expected.insert({demo_ + "\\" + name, size, "backup+delete", "planned", ""});
        }
        EXPECT_EQ(lines, expected) << commandLine;
        EXPECT_EQ(log[kJunk.size()], (Row{"trace:run-history", "", "erase", "planned", "", ""})) << commandLine;
        EXPECT_TRUE(HasField(log.back(), "status=preview")) << commandLine;
        EXPECT_TRUE(HasField(log.back(), "planned=" + std::to_string(kJunk.size()))) << commandLine;
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kRunMru);
    }
}

// Ticked application rules run in unattended cleans and previews, after
// the stored selection; the log names each of their files' rule.
TEST_F(AutoRun, TickedApplicationRulesRunUnattendedAndTheLogNamesThem) {
    const std::string tool = testsupport::NewScratchFolder("apptool", 'e') + "\\Tool";
    const std::vector<std::string> caches = {tool + "\\Cache\\data_0", tool + "\\Cache\\js\\index"};
    for (const char* commandLine : {"/auto /preview /hide", "/auto /hide"}) {
        for (const std::string& path : caches) {
            testsupport::MakeFolders(path.substr(0, path.find_last_of('\\')));
            testsupport::WriteFile(path, "cache");
        }
        testsupport::WriteFile(tool + "\\settings.ini", "keep");
        ProgramCopy copy("apps");
        Configure(copy, Mode::Delete, false, "");
        testsupport::WriteFile(copy.Folder() + "\\winapp2.ini",
                               "[Scratch Tool *]\nFileKey1=" + tool + "\\Cache|*.*|RECURSE\n");
        {
            config::ConfigDocument doc;
            ASSERT_TRUE(doc.Open(copy.SettingsPath()));
            ASSERT_TRUE(doc.AppendElement(doc.SelectSingleNode("/Config/Options/Applications/items"), "item", "",
                                          {{L"checked", L"1"}, {L"rule", L"Scratch Tool *"}}));
            ASSERT_TRUE(doc.Save());
        }
        RunningProgram program(copy, commandLine);
        ASSERT_TRUE(program.Started());
        EXPECT_EQ(program.WaitForExit(120000), 2) << commandLine;

        const bool preview = std::string(commandLine).find("preview") != std::string::npos;
        const auto [logName, log] = OnlyLog(copy);
        std::set<Row> ruleLines;
        for (const Row& row : log) {
            if (row.size() == 6 && row[5] == "Scratch Tool *") ruleLines.insert({row[0], row[3]});
        }
        std::set<Row> expected;
        for (const std::string& path : caches) expected.insert({path, preview ? "planned" : "cleaned"});
        EXPECT_EQ(ruleLines, expected) << commandLine;
        for (const std::string& path : caches) EXPECT_EQ(testsupport::FileExists(path), preview) << path;
        EXPECT_EQ(testsupport::ReadFile(tool + "\\settings.ini"), "keep");
    }
}

// An unattended run with a keep list and the age rule: the kept file and
// folder stay whatever their spelling and are not in the log; backup sets
// older than the rule's days go, whole, and the log lists them first; a
// younger set, and a folder that only looks like a set, stay.
TEST_F(AutoRun, KeptFilesStayAndOldBackupSetsGo) {
    ProgramCopy copy("keepage");
    Configure(copy, Mode::Delete, true, "");
    const std::string backupRoot = copy.Folder() + "\\Data\\ToolJunkSweep\\Backup";
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    char young[32];
    std::snprintf(young, sizeof young, "%04d-%02d-%02d_00-00-00", now.wYear, now.wMonth, now.wDay);
    for (const std::string& set : {std::string("2001-02-03_04-05-06"), std::string("2001-02-03_04-05-06 mine"), std::string(young)}) {
        testsupport::MakeFolders(backupRoot + "\\" + set + "\\E\\old");
        testsupport::WriteFile(backupRoot + "\\" + set + "\\E\\old\\saved.tmp", "saved");
    }
    {
        config::ConfigDocument doc;
        ASSERT_TRUE(doc.Open(copy.SettingsPath()));
        doc.SetAttribute("/Config/Options/CleanOpt/RemoveOldBackups", "custom", 1);
        doc.SetAttribute("/Config/Options/CleanOpt/RemoveOldBackups", "days", 30);
        const config::XmlNode items = doc.SelectSingleNode("/Config/Options/KeepList/items");
        std::string upper = demo_ + "\\A.TMP";
        ASSERT_TRUE(doc.AppendElement(items, "item", "", {{L"file", platform::ToWide(upper)}}));
        ASSERT_TRUE(doc.AppendElement(items, "item", "", {{L"folder", platform::ToWide(demo_ + "\\sub2\\")}}));
        ASSERT_TRUE(doc.Save());
    }

    RunningProgram program(copy, "/auto /hide");
    ASSERT_TRUE(program.Started());
    EXPECT_EQ(program.WaitForExit(120000), 2);

    std::set<std::string> left(kKept.begin(), kKept.end());
    left.insert({"a.tmp", "sub2\\x.tmp", "sub2\\Thumbs.db"});
    EXPECT_EQ(FilesBelow(demo_), left);
    std::vector<std::string> sets = FoldersIn(backupRoot);
    std::sort(sets.begin(), sets.end());
    ASSERT_EQ(sets.size(), 3u);
    EXPECT_EQ(sets[0], "2001-02-03_04-05-06 mine");
    EXPECT_EQ(sets[1], young);
    const auto [logName, log] = OnlyLog(copy);
    EXPECT_EQ(logName, sets[2] + ".log") << "the clean's own set";
    ASSERT_EQ(log.size(), 1 + 3 + 1);
    EXPECT_EQ(log[0], (Row{"backup-set:2001-02-03_04-05-06", "5", "remove", "cleaned", "", ""}));
    for (size_t i = 1; i + 1 < log.size(); ++i) {
        EXPECT_EQ(log[i].at(0).find("sub2"), std::string::npos) << log[i][0];
        EXPECT_NE(log[i].at(0), demo_ + "\\a.tmp");
    }
    EXPECT_TRUE(HasField(log.back(), "sets_removed=1"));
    EXPECT_TRUE(HasField(log.back(), "sets_removed_bytes=5"));
}

}  // namespace
