// The folder search over real trees on the scratch drives.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/codepage.h"
#include "platform/handle.h"
#include "scan/folder_search.h"
#include "scan/shortcut_reader.h"
#include "support/scratch.h"

namespace {

using testsupport::MakeFolders;
using testsupport::NewScratchFolder;
using testsupport::SetAccessedDaysAgo;
using testsupport::WriteFile;
using testsupport::WriteShortcut;

// Records what the search reports; can stop it at a chosen hit.
struct Recorder {
    std::vector<std::pair<std::string, std::string>> found;  // path, reason
    std::vector<std::string> progress;
    std::vector<DWORD> progressAttributes;
    std::string stopAtFound;     // stop at the finding with this path
    std::string stopAtProgress;  // stop at the folder with this path
    bool stopped = false;
    int callsAfterStop = 0;

    bool Note(bool keepGoing) {
        if (stopped) ++callsAfterStop;
        if (!keepGoing) stopped = true;
        return keepGoing;
    }
};

// Each hit's folder and name are the parts of its path.
bool Note(Recorder& r, const scan::SearchHit& hit) {
    EXPECT_EQ(std::string(hit.folder) + "\\" + std::string(hit.name), hit.path);
    const std::string path(hit.path);
    if (hit.reason) {
        r.found.emplace_back(path, hit.reason);
        return r.Note(r.stopAtFound != path);
    }
    r.progress.push_back(path);
    r.progressAttributes.push_back(hit.entry.dwFileAttributes);
    return r.Note(r.stopAtProgress != path);
}

bool Search(const std::string& folder, const scan::JunkTypeTable& table, const scan::SearchSwitches& switches,
            Recorder& recorder, const std::vector<std::string>& skipFolders = {}) {
    return scan::SearchFolder({folder, table, skipFolders, switches},
                              [&](const scan::SearchHit& hit) { return Note(recorder, hit); });
}

scan::JunkTypeTable TempTable() {
    scan::JunkTypeTable table;
    table.Add("*.tmp", "Temporary file");
    return table;
}

// Findings as "path below root" -> reason.
std::map<std::string, std::string> Relative(const std::string& root, const Recorder& r) {
    std::map<std::string, std::string> out;
    for (const auto& [path, reason] : r.found) {
        EXPECT_EQ(path.compare(0, root.size() + 1, root + "\\"), 0) << path;
        EXPECT_TRUE(out.emplace(path.substr(root.size() + 1), reason).second) << "reported twice: " << path;
    }
    return out;
}

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

constexpr const char* kTemp = "Temporary file";
constexpr const char* kEmpty = "Zero Length File (Empty File)";
constexpr const char* kInvalid = "Invalid Shortcut";
constexpr const char* kOld = "Have Not Accessed";

// ---------------------------------------------------------------- reasons

struct ReasonTree {
    std::string root = NewScratchFolder("reasons");

    ReasonTree() {
        WriteFile(root + "\\junk.tmp", "x");
        WriteFile(root + "\\empty-junk.tmp", "");
        WriteFile(root + "\\empty.dat", "");
        WriteFile(root + "\\full.dat", "data");
        WriteFile(root + "\\old.dat", "data");
        WriteShortcut(root + "\\gone.lnk", root + "\\gone\\a.exe");
        WriteShortcut(root + "\\GONE2.LNK", "d:\\nowhere\\b.exe");
        WriteShortcut(root + "\\net.lnk", "\\\\server\\share\\a.exe");
        WriteShortcut(root + "\\folder.lnk", root);
        WriteShortcut(root + "\\file.lnk", root + "\\full.dat");
        WriteShortcut(root + "\\gone.lnk.bak", root + "\\gone\\c.exe");
        WriteShortcut(root + "\\old-net.lnk", "\\\\server\\share\\old.exe");
        WriteShortcut(root + "\\old-gone.lnk", root + "\\gone\\old.exe");
        WriteFile(root + "\\bogus.lnk", "not a shortcut at all");
        MakeFolders(root + "\\x.tmp");
        WriteFile(root + "\\x.tmp\\inner.tmp", "x");
    }

    // Reading a file can refresh its access time, so every search starts
    // from the same ages.
    void Age() const {
        for (const char* name : {"old.dat", "old-net.lnk", "old-gone.lnk"}) SetAccessedDaysAgo(root + "\\" + name, 300.5);
    }
};

TEST(FolderSearchReasons, EachFileGetsTheFirstRuleThatApplies) {
    ReasonTree tree;
    const std::map<std::string, std::string> byPattern = {
        {"junk.tmp", kTemp}, {"empty-junk.tmp", kTemp}, {"x.tmp\\inner.tmp", kTemp}};
    auto with = [&](std::map<std::string, std::string> more) {
        more.insert(byPattern.begin(), byPattern.end());
        return more;
    };
    struct Case {
        const char* name;
        scan::SearchSwitches switches;
        std::map<std::string, std::string> expected;
    };
    const Case cases[] = {
        {"patterns only", {}, byPattern},
        {"empty files", {.findEmptyFiles = true}, with({{"empty.dat", kEmpty}})},
        {"invalid shortcuts",
         {.findInvalidShortcuts = true},
         with({{"gone.lnk", kInvalid}, {"GONE2.LNK", kInvalid}, {"old-gone.lnk", kInvalid}})},
        {"not accessed",
         {.findNotAccessed = true, .months = 6},
         with({{"old.dat", kOld}, {"old-net.lnk", kOld}, {"old-gone.lnk", kOld}})},
        {"everything",
         {.findEmptyFiles = true, .findInvalidShortcuts = true, .findNotAccessed = true, .months = 6},
         with({{"empty.dat", kEmpty},
               {"gone.lnk", kInvalid},
               {"GONE2.LNK", kInvalid},
               {"old-gone.lnk", kInvalid},
               {"old.dat", kOld},
               {"old-net.lnk", kOld}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tree.Age();
        Recorder r;
        EXPECT_TRUE(Search(tree.root, TempTable(), c.switches, r));
        EXPECT_EQ(Relative(tree.root, r), c.expected);
    }
}

TEST(FolderSearchReasons, ShortcutTargetsAreReadAsStored) {
    ReasonTree tree;
    WriteShortcut(tree.root + "\\no-target.lnk", "");
    struct Case {
        const char* name;
        bool readable;
        std::string target;
    };
    const Case cases[] = {
        {"GONE2.LNK", true, "d:\\nowhere\\b.exe"},
        {"bogus.lnk", false, ""},
        {"net.lnk", true, "\\\\server\\share\\a.exe"},
        {"no-target.lnk", true, ""},
        {"missing.lnk", false, ""},
        {"folder.lnk", true, tree.root},
        {"no-target.lnk", true, ""},
    };
    // One reader for all, as a walk uses it: nothing of one file may show
    // in the next.
    scan::ShortcutReader reader;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = tree.root + "\\" + c.name;
        std::string target;
        EXPECT_EQ(reader.Read(path, target), c.readable);
        if (c.readable) {
            EXPECT_EQ(target, c.target);
        }
        std::string alone;
        EXPECT_EQ(scan::ResolveShortcutTarget(path, alone), c.readable);
        if (c.readable) {
            EXPECT_EQ(alone, c.target);
        }
    }
}

// ------------------------------------------------------------- attributes

TEST(FolderSearchAttributes, SkipSwitchesPassOverEntriesAndTheFoldersBelow) {
    std::string root = NewScratchFolder("attributes");
    struct Item {
        const char* path;
        DWORD attributes;
    };
    const Item items[] = {{"ro.tmp", FILE_ATTRIBUTE_READONLY}, {"hid.tmp", FILE_ATTRIBUTE_HIDDEN},
                          {"sys.tmp", FILE_ATTRIBUTE_SYSTEM},  {"plain.tmp", 0},
                          {"hiddir\\b.tmp", 0},                {"sysdir\\c.tmp", 0}};
    for (const Item& item : items) {
        std::string path = root + "\\" + item.path;
        MakeFolders(path.substr(0, path.rfind('\\')));
        WriteFile(path, "x");
        if (item.attributes) ::SetFileAttributesA(path.c_str(), item.attributes);
    }
    ::SetFileAttributesA((root + "\\hiddir").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ::SetFileAttributesA((root + "\\sysdir").c_str(), FILE_ATTRIBUTE_SYSTEM);

    const std::set<std::string> all = {"ro.tmp", "hid.tmp", "sys.tmp", "plain.tmp", "hiddir\\b.tmp", "sysdir\\c.tmp"};
    struct Case {
        const char* name;
        scan::SearchSwitches switches;
        std::set<std::string> expected;
    };
    const Case cases[] = {
        {"nothing skipped", {}, all},
        {"read-only", {.skipReadOnly = true}, {"hid.tmp", "sys.tmp", "plain.tmp", "hiddir\\b.tmp", "sysdir\\c.tmp"}},
        {"hidden", {.skipHidden = true}, {"ro.tmp", "sys.tmp", "plain.tmp", "sysdir\\c.tmp"}},
        {"system", {.skipSystem = true}, {"ro.tmp", "hid.tmp", "plain.tmp", "hiddir\\b.tmp"}},
        {"all three", {.skipReadOnly = true, .skipSystem = true, .skipHidden = true}, {"plain.tmp"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Recorder r;
        Search(root, TempTable(), c.switches, r);
        std::set<std::string> got;
        for (const auto& [path, reason] : Relative(root, r)) got.insert(path);
        EXPECT_EQ(got, c.expected);
        // Folders are shown before the skip tests, skipped or not.
        EXPECT_TRUE(Contains(r.progress, root + "\\hiddir"));
        EXPECT_TRUE(Contains(r.progress, root + "\\sysdir"));
    }
}

TEST(FolderSearchAttributes, ReadOnlyFolderIsNotEntered) {
    // Made by the test bed: Wine keeps no read-only attribute that a program
    // sets on a folder.
    const std::string root = testsupport::kReadOnlyFarm;
    ASSERT_TRUE(::GetFileAttributesA((root + "\\locked").c_str()) & FILE_ATTRIBUTE_READONLY);
    Recorder skipping, entering;
    Search(root, TempTable(), {.skipReadOnly = true}, skipping);
    Search(root, TempTable(), {}, entering);
    EXPECT_TRUE(skipping.found.empty());
    EXPECT_TRUE(Contains(skipping.progress, root + "\\locked"));
    ASSERT_EQ(entering.found.size(), 1u);
    EXPECT_EQ(entering.found[0].first, root + "\\locked\\a.tmp");
}

// ------------------------------------------------------------------ links

TEST(FolderSearchLinks, SymbolicLinksAreShownButNeverFollowed) {
    const std::string tree = std::string(testsupport::kLinkFarm) + "\\tree";
    Recorder r;
    EXPECT_TRUE(Search(tree, TempTable(), {}, r));
    ASSERT_EQ(r.found.size(), 1u);
    EXPECT_EQ(r.found[0].first, tree + "\\real\\kept.tmp");
    for (const char* link : {"\\link", "\\loop"}) {
        auto at = std::find(r.progress.begin(), r.progress.end(), tree + link);
        ASSERT_NE(at, r.progress.end()) << link;
        EXPECT_TRUE(r.progressAttributes[at - r.progress.begin()] & FILE_ATTRIBUTE_REPARSE_POINT);
    }
    // The link itself leads somewhere: searched as a start folder, it is listed.
    Recorder direct;
    Search(tree + "\\link", TempTable(), {}, direct);
    ASSERT_EQ(direct.found.size(), 1u);
    EXPECT_EQ(direct.found[0].first, tree + "\\link\\file.tmp");
}

// ------------------------------------------------------------ empty files

TEST(FolderSearchEmptyFiles, OnlyFilesThatAreReallyEmptyAndReadable) {
    std::string root = NewScratchFolder("empty");
    WriteFile(root + "\\zero.dat", "");
    WriteFile(root + "\\locked.dat", "");
    WriteFile(root + "\\one.dat", "1");
    {
        platform::UniqueHandle huge(::CreateFileA((root + "\\huge.dat").c_str(), GENERIC_WRITE, 0, nullptr,
                                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(huge);
        LARGE_INTEGER size{};
        size.QuadPart = 4294967296LL;  // exactly 4 GiB: its lower half is 0
        ASSERT_TRUE(::SetFilePointerEx(huge.Get(), size, nullptr, FILE_BEGIN));
        ASSERT_TRUE(::SetEndOfFile(huge.Get()));
    }
    platform::UniqueHandle holder(::CreateFileA((root + "\\locked.dat").c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);

    Recorder held;
    Search(root, {}, {.findEmptyFiles = true}, held);
    EXPECT_EQ(Relative(root, held), (std::map<std::string, std::string>{{"zero.dat", kEmpty}}));

    holder.Reset();
    Recorder released;
    Search(root, {}, {.findEmptyFiles = true}, released);
    EXPECT_EQ(Relative(root, released),
              (std::map<std::string, std::string>{{"zero.dat", kEmpty}, {"locked.dat", kEmpty}}));
}

// ----------------------------------------------------------------- months

TEST(FolderSearchMonths, ThresholdCountsWholeMonthsOf31Days) {
    struct Case {
        int32_t months;
        double daysAgo;  // negative: in the future
        bool reported;
    };
    const Case cases[] = {
        {6, 216.5, false}, {6, 217.5, true},    {0, 30.5, false},   {0, 31.5, true},
        {6, -300.5, true}, {6, -100.5, false},  {-1, 5000.5, false}, {12, 400.5, false},
        {12, 403.5, true}, {13, 433.5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.months << " months, " << c.daysAgo << " days");
        std::string root = NewScratchFolder("months");
        WriteFile(root + "\\file.dat", "content");
        SetAccessedDaysAgo(root + "\\file.dat", c.daysAgo);
        Recorder r;
        Search(root, {}, {.findNotAccessed = true, .months = c.months}, r);
        EXPECT_EQ(r.found.size(), c.reported ? 1u : 0u);
    }
}

// ----------------------------------------------------------- skip folders

TEST(FolderSearchSkipFolders, TextsExcludeEveryPathTheyOccurIn) {
    std::string root = NewScratchFolder("skip");
    for (const char* name : {"Windows\\a.log", "Windows.old\\b.log", "WindowsUpdate.log", "keep\\c.log",
                             "keep\\Windows-notes.log"}) {
        std::string path = root + "\\" + name;
        MakeFolders(path.substr(0, path.rfind('\\')));
        WriteFile(path, "x");
    }
    scan::JunkTypeTable logs;
    logs.Add("*.log", "Log");
    struct Case {
        const char* name;
        std::vector<std::string> skip;
        std::set<std::string> expected;
    };
    const Case cases[] = {
        {"none", {}, {"Windows\\a.log", "Windows.old\\b.log", "WindowsUpdate.log", "keep\\c.log", "keep\\Windows-notes.log"}},
        {"folder text in capitals", {root + "\\WINDOWS"}, {"keep\\c.log", "keep\\Windows-notes.log"}},
        {"a bare word anywhere", {"windows"}, {"keep\\c.log"}},
        {"a file path", {"\\keep\\c.log"}, {"Windows\\a.log", "Windows.old\\b.log", "WindowsUpdate.log", "keep\\Windows-notes.log"}},
        {"an empty text", {""}, {}},
        {"several", {"\\windows.old", "notes"}, {"Windows\\a.log", "WindowsUpdate.log", "keep\\c.log"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Recorder r;
        Search(root, logs, {}, r, c.skip);
        std::set<std::string> got;
        for (const auto& [path, reason] : Relative(root, r)) got.insert(path);
        EXPECT_EQ(got, c.expected);
        EXPECT_TRUE(Contains(r.progress, root + "\\Windows"));
        EXPECT_TRUE(Contains(r.progress, root + "\\Windows.old"));
    }
    // A search that starts inside a skipped folder finds nothing there, and
    // a text may reach across the start folder's end.
    for (const std::string& skip : {root + "\\windows", std::string("windows\\a")}) {
        Recorder inside;
        Search(root + "\\Windows", logs, {}, inside, {skip});
        EXPECT_TRUE(inside.found.empty()) << skip;
    }
}

// ------------------------------------------------------------------- stop

TEST(FolderSearchStop, AZeroFromAnyCallbackEndsTheWholeWalk) {
    std::string root = NewScratchFolder("stop");
    for (const char* name : {"a\\b\\c\\deep.tmp", "a\\b\\c\\sibling.tmp", "a\\b\\other.tmp", "a\\y.tmp", "z.tmp",
                             "m\\n\\o.tmp"}) {
        std::string path = root + "\\" + name;
        MakeFolders(path.substr(0, path.rfind('\\')));
        WriteFile(path, "x");
    }
    Recorder byFinding;
    byFinding.stopAtFound = root + "\\a\\b\\c\\deep.tmp";
    EXPECT_FALSE(Search(root, TempTable(), {}, byFinding));
    EXPECT_TRUE(byFinding.stopped);
    EXPECT_EQ(byFinding.callsAfterStop, 0);
    EXPECT_EQ(byFinding.found.back().first, byFinding.stopAtFound);

    Recorder byProgress;
    byProgress.stopAtProgress = root + "\\a\\b\\c";
    EXPECT_FALSE(Search(root, TempTable(), {}, byProgress));
    EXPECT_TRUE(byProgress.stopped);
    EXPECT_EQ(byProgress.callsAfterStop, 0);
    for (const auto& [path, reason] : byProgress.found) EXPECT_EQ(path.find("\\c\\"), std::string::npos) << path;

    Recorder whole;
    EXPECT_TRUE(Search(root, TempTable(), {}, whole));
    EXPECT_EQ(whole.found.size(), 6u);
}

// ----------------------------------------------------- paths and listing

// "." and ".." are neither shown as progress (they would only cost the
// window three updates per folder) nor entered.
TEST(FolderSearchPaths, DotEntriesAreNeitherShownNorEntered) {
    std::string root = NewScratchFolder("dots");
    MakeFolders(root + "\\sub");
    WriteFile(root + "\\sub\\a.tmp", "x");
    Recorder r;
    Search(root, TempTable(), {}, r);
    EXPECT_EQ(r.progress, std::vector<std::string>({root + "\\sub"}));
    for (const std::string& folder : {root, root + "\\sub"}) {
        EXPECT_FALSE(Contains(r.progress, folder + "\\.")) << folder;
        EXPECT_FALSE(Contains(r.progress, folder + "\\..")) << folder;
    }
    for (const std::string& path : r.progress) {
        EXPECT_EQ(path.find("\\.\\"), std::string::npos) << path;
        EXPECT_EQ(path.find("\\..\\"), std::string::npos) << path;
    }
    EXPECT_EQ(r.found.size(), 1u);
}

TEST(FolderSearchPaths, ATrailingBackslashChangesNoPath) {
    std::string root = NewScratchFolder("roots", 'e');
    WriteFile(root + "\\x.tmp", "x");
    struct Pair {
        std::string with, without;
    };
    for (const Pair& p : {Pair{"e:\\", "e:"}, Pair{root + "\\", root}}) {
        SCOPED_TRACE(p.without);
        Recorder a, b;
        Search(p.with, TempTable(), {}, a);
        Search(p.without, TempTable(), {}, b);
        EXPECT_EQ(a.found, b.found);
        EXPECT_EQ(a.progress, b.progress);
        EXPECT_TRUE(std::any_of(a.found.begin(), a.found.end(),
                                [&](const auto& f) { return f.first == root + "\\x.tmp"; }));
        for (const auto& [path, reason] : a.found) EXPECT_EQ(path.find("\\\\"), std::string::npos) << path;
    }
}

TEST(FolderSearchPaths, FoldersAreListedAtAnyDepthAndJudgedByEveryRule) {
    std::string root = NewScratchFolder("deep");
    std::vector<std::string> levels = {root};
    // Across the old limits of the narrow functions (the listing pattern at
    // 259 and 260 characters, paths of 260) and far beyond them.
    levels.push_back(levels.back() + "\\" + std::string(255 - 4 - levels.back().size() - 1, 'e'));
    while (levels.back().size() < 1100) levels.push_back(levels.back() + "\\" + std::string(150, 'n'));
    testsupport::MakeFoldersLong(levels.back());
    for (const std::string& level : levels) {
        testsupport::WriteFileLong(level + "\\a.tmp", "x");
        testsupport::WriteFileLong(level + "\\empty.dat", "");
        testsupport::WriteFileLong(level + "\\old.dat", "old");
        testsupport::SetAccessedDaysAgoW(platform::ToWide(level + "\\old.dat"), 100);
    }

    Recorder r;
    EXPECT_TRUE(Search(root, TempTable(), {.findEmptyFiles = true, .findNotAccessed = true, .months = 1}, r));
    std::map<std::string, std::string> found(r.found.begin(), r.found.end());
    for (const std::string& level : levels) {
        SCOPED_TRACE(level.size());
        EXPECT_EQ(found[level + "\\a.tmp"], "Temporary file");
        EXPECT_EQ(found[level + "\\empty.dat"], scan::kReasonEmptyFile);
        EXPECT_EQ(found[level + "\\old.dat"], scan::kReasonNotAccessed);
    }
}

TEST(FolderSearchPaths, PatternsNeverMatchFolders) {
    std::string root = NewScratchFolder("folders");
    MakeFolders(root + "\\cache.tmp\\inner");
    Recorder r;
    Search(root, TempTable(), {.findEmptyFiles = true}, r);
    EXPECT_TRUE(r.found.empty());
    EXPECT_TRUE(Contains(r.progress, root + "\\cache.tmp\\inner"));
}

TEST(FolderSearchPaths, MissingFolderCountsAsEmpty) {
    Recorder r;
    EXPECT_TRUE(Search("d:\\no\\such\\folder", TempTable(), {}, r));
    EXPECT_TRUE(r.found.empty());
    EXPECT_TRUE(r.progress.empty());
}

}  // namespace
