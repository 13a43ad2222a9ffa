// Emptying folder trees, wiping index files, and the cleaners that empty the
// prefix's temporary, Recent, NetHood and History folders.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include <string>
#include <vector>

#include "clean/trace_cleaners.h"
#include "platform/handle.h"
#include "platform/registry.h"
#include "recording_sink.h"
#include "support/environment_override.h"
#include "support/scratch.h"

namespace {

using testsupport::FileExists;
using testsupport::FolderExists;
using testsupport::ReadFile;
using testsupport::WriteFile;

struct Entry {
    const char* path;  // below the tree's root; a trailing "\" makes a folder
    DWORD attributes;
};

constexpr DWORD kNormal = FILE_ATTRIBUTE_NORMAL;
constexpr DWORD kReadOnly = FILE_ATTRIBUTE_READONLY;

void MakeTree(const std::string& root, const std::vector<Entry>& entries) {
    for (const Entry& e : entries) {
        std::string path = root + "\\" + e.path;
        if (path.back() == '\\') {
            testsupport::MakeFolders(path.substr(0, path.size() - 1));
        } else {
            testsupport::MakeFolders(path.substr(0, path.find_last_of('\\')));
            WriteFile(path, e.path);
        }
    }
    // Attributes last, so that a read-only folder still received its files.
    for (const Entry& e : entries) {
        std::string path = root + "\\" + e.path;
        if (path.back() == '\\') path.pop_back();
        if (e.attributes != kNormal) SetFileAttributesA(path.c_str(), e.attributes);
    }
}

bool Present(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A file held open the way a running browser holds its index: others may
// read and write it, nobody may delete it.
platform::UniqueHandle HoldOpen(const std::string& path) {
    return platform::UniqueHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
}

std::string Pattern(size_t size) {
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>('A' + i % 26);
    return s;
}

const std::vector<Entry> kTree = {
    {"desktop.ini", kNormal},
    {"plain.tmp", kNormal},
    {"readonly.tmp", kReadOnly},
    {"hidden.tmp", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
    {"Shell\\Desktop.INI", kNormal},
    {"Shell\\x.lnk", kNormal},
    {"nested\\deeper\\c.tmp", kNormal},
    {"nested\\deeper\\ro.tmp", kReadOnly},
    {"rofolder\\inside.tmp", kNormal},
    {"rofolder\\", kReadOnly},
    {"empty\\", kNormal},
};

TEST(EmptyFolderTree, DeletesEverythingBelowTheFolderButKeepsDesktopIniWhenAsked) {
    struct Case {
        bool includeDesktopIni;
        std::vector<std::string> left;
    } cases[] = {
        {true, {}},
        {false, {"desktop.ini", "Shell", "Shell\\Desktop.INI"}},
    };
    for (const Case& c : cases) {
        std::string root = testsupport::NewScratchFolder("tree");
        MakeTree(root, kTree);
        EXPECT_TRUE(clean::EmptyFolderTree(root, c.includeDesktopIni, false));
        EXPECT_TRUE(FolderExists(root)) << "the folder itself stays";
        for (const Entry& e : kTree) {
            std::string name = e.path;
            if (name.back() == '\\') name.pop_back();
            bool shouldStay = std::find(c.left.begin(), c.left.end(), name) != c.left.end();
            EXPECT_EQ(Present(root + "\\" + name), shouldStay) << name << " desktop.ini " << c.includeDesktopIni;
        }
    }
}

TEST(WipeIndexFile, ZeroesFromByte64ToTheEnd) {
    struct Case {
        size_t size;
    } cases[] = {{40}, {64}, {65}, {10064}, {10065}, {100 * 1024}};
    std::string folder = testsupport::NewScratchFolder("wipe");
    for (const Case& c : cases) {
        std::string original = Pattern(c.size);
        WriteFile(folder + "\\index.dat", original);
        auto held = HoldOpen(folder + "\\index.dat");  // the wipe works on a file in use
        clean::WipeIndexFile(folder, "index.dat");
        held.Reset();
        std::string expected = original;
        if (c.size > 64) std::fill(expected.begin() + 64, expected.end(), '\0');
        EXPECT_EQ(ReadFile(folder + "\\index.dat"), expected) << c.size;
    }
    clean::WipeIndexFile(folder, "missing.dat");  // silent
}

// Makes the named files in a folder of the prefix and takes away what the
// test made (and the cleaner left) afterwards; what was there before stays.
class PrefixFolderFixture {
public:
    PrefixFolderFixture(std::string folder, std::vector<Entry> entries)
        : folder_(std::move(folder)), entries_(std::move(entries)) {
        createdFolder_ = !FolderExists(folder_);
        testsupport::MakeFolders(folder_);
        for (const Entry& e : entries_) {
            if (Present(folder_ + "\\" + e.path)) preexisting_.push_back(e.path);
        }
        MakeTree(folder_, entries_);
    }
    ~PrefixFolderFixture() {
        for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
            std::string path = folder_ + "\\" + it->path;
            if (std::find(preexisting_.begin(), preexisting_.end(), it->path) != preexisting_.end()) continue;
            if (path.back() == '\\') path.pop_back();
            SetFileAttributesA(path.c_str(), kNormal);
            DeleteFileA(path.c_str());
            RemoveDirectoryA(path.c_str());
            std::string parent = path.substr(0, path.find_last_of('\\'));
            if (parent != folder_) RemoveDirectoryA(parent.c_str());
        }
        if (createdFolder_) RemoveDirectoryA(folder_.c_str());
    }
    const std::string& Folder() const { return folder_; }
    std::string operator[](const char* name) const { return folder_ + "\\" + name; }

private:
    std::string folder_;
    std::vector<Entry> entries_;
    std::vector<const char*> preexisting_;
    bool createdFolder_ = false;
};

std::string SpecialFolder(int csidl) {
    char path[MAX_PATH] = {};
    EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)) << csidl;
    return path;
}

std::string TempFolder() {
    char path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, path);
    std::string folder = path;
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

TEST(TempFolderCleaner, EmptiesTheTemporaryFolderDesktopIniIncluded) {
    PrefixFolderFixture temp(TempFolder(), kTree);
    cleantest::RecordingProgress progress;
    clean::RunTraceCleaner(3, progress);
    EXPECT_EQ(progress.Statuses(), std::vector<std::string>({"_cpclringcleanck3"}));
    EXPECT_TRUE(FolderExists(temp.Folder()));
    for (const Entry& e : kTree) EXPECT_FALSE(Present(temp[e.path])) << e.path;
}

// Points the temporary folder of this process somewhere else for a while.
class TempFolderOverride {
public:
    explicit TempFolderOverride(const std::string& folder) {
        for (const char* name : {"TMP", "TEMP"}) environment_.Set(name, folder);
    }

private:
    testsupport::EnvironmentOverride environment_;
};

// The test bed lays e:\fixtures\cleantemp (scripts/lib/testbed.sh): a temp
// folder holding a link to a folder beside it and, one level down, a link
// back up to its parent.
TEST(TempFolderCleaner, RemovesLinksWithoutEmptyingWhatTheyPointTo) {
    const std::string root = "e:\\fixtures\\cleantemp";
    const std::string link = root + "\\temp\\link";
    ASSERT_TRUE(GetFileAttributesA(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) << "fixture missing";
    {
        TempFolderOverride temp(root + "\\temp\\");
        cleantest::RecordingProgress progress;
        clean::RunTraceCleaner(3, progress);
    }
    EXPECT_FALSE(Present(root + "\\temp\\plain.tmp"));
    EXPECT_FALSE(Present(root + "\\temp\\sub\\nested.tmp"));
    EXPECT_EQ(ReadFile(root + "\\outside\\keep.txt"), "outside");
    EXPECT_EQ(ReadFile(root + "\\outside\\deep\\keep.txt"), "deep");
    EXPECT_TRUE(FolderExists(root + "\\temp"));
    // Windows removes the link itself; Wine cannot remove a link to a folder
    // that has content, and then the link stays as it was.
    DWORD left = GetFileAttributesA(link.c_str());
    if (left != INVALID_FILE_ATTRIBUTES) {
        EXPECT_TRUE(left & FILE_ATTRIBUTE_REPARSE_POINT);
    }
}

TEST(EmptyFolderTree, NeverEmptiesAWholeDrive) {
    struct Case {
        const char* folder;
        bool wholeDrive;
    } cases[] = {
        {"", true},        {"\\", true},        {"C:", true},        {"c:\\", true},
        {"C:\\\\", true}, {"C:\\x", false},     {"\\\\srv\\share", false}, {"x", false},
    };
    for (const Case& c : cases) EXPECT_EQ(clean::NamesWholeDrive(c.folder), c.wholeDrive) << c.folder;

    WriteFile("e:\\root-file.txt", "stays");
    for (const char* drive : {"e:", "e:\\"}) {
        EXPECT_FALSE(clean::EmptyFolderTree(drive, true, true));
        EXPECT_EQ(ReadFile("e:\\root-file.txt"), "stays");
    }
    TempFolderOverride temp("e:\\");
    cleantest::RecordingProgress progress;
    clean::RunTraceCleaner(3, progress);
    EXPECT_EQ(ReadFile("e:\\root-file.txt"), "stays");
    EXPECT_TRUE(FolderExists("e:\\fixtures"));
    DeleteFileA("e:\\root-file.txt");
}

TEST(TraceCleaners, NeverTakeTheWindowsProfileDocumentsOrDesktopFolder) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    char profile[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, profile, CSIDL_PROFILE, FALSE));
    std::string upper = profile;
    CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    struct Case {
        std::string folder;
        bool refused;
    } cases[] = {
        {windows, true},
        {std::string(windows) + "\\", true},
        {profile, true},
        {upper + "\\", true},
        {SpecialFolder(CSIDL_PERSONAL), true},
        {SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "\\", true},
        {TempFolder(), false},
        {std::string(profile) + "\\Temp", false},
        {std::string(windows) + "\\Temp\\", false},
    };
    for (const Case& c : cases) EXPECT_EQ(clean::IsProtectedFolder(c.folder), c.refused) << c.folder;
}

std::string ShortForm(const std::string& path) {
    char shortPath[MAX_PATH] = {};
    EXPECT_GT(GetShortPathNameA(path.c_str(), shortPath, MAX_PATH), 0u) << path;
    return shortPath;
}

std::string Upper(std::string text) {
    CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// The test bed lays links to guarded folders (scripts/lib/testbed.sh):
// e:\fixtures\guarded\users, home (where Documents and Desktop lead) and
// drive-d (the root of d:).
TEST(TraceCleaners, KnowTheGuardedFoldersByAnySpellingAndTheFoldersAboveThem) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string profile = SpecialFolder(CSIDL_PROFILE);
    const std::string documents = SpecialFolder(CSIDL_PERSONAL);
    const std::string users = profile.substr(0, profile.find_last_of('\\'));
    const std::string shortDocuments = ShortForm(documents);
    ASSERT_NE(Upper(shortDocuments), Upper(documents)) << "the test needs a short name that differs";
    struct Case {
        std::string folder;
        bool refused;
    } cases[] = {
        // Other spellings of the guarded folders.
        {shortDocuments, true},
        {Upper(shortDocuments) + "\\", true},
        {profile + "\\Documents\\..", true},
        {profile + "\\.\\", true},
        {documents + ".", true},
        {documents + " .\\", true},
        {std::string(windows) + "\\system32\\..\\", true},
        // Folders that hold them, and roots.
        {users, true},
        {Upper(users) + "\\\\", true},
        {users.substr(0, 3), true},
        {"c:", true},
        {"e:\\", true},
        {"e:\\fixtures\\..", true},
        {"\\\\server\\share\\", true},
        {"", true},
        // Links that lead to them.
        {"e:\\fixtures\\guarded\\users", true},
        {"e:\\fixtures\\guarded\\home\\", true},
        {"e:\\fixtures\\guarded\\drive-d", true},
        // Folders inside them, and folders elsewhere, are ordinary.
        {documents + "\\Old junk", false},
        {shortDocuments + "\\Old junk\\", false},
        {profile + "\\AppData\\Local\\Temp", false},
        {"e:\\fixtures\\cleantemp\\temp", false},
        {"e:\\fixtures\\linkfarm\\tree\\link", false},
        {"d:\\not-there", false},
    };
    for (const Case& c : cases) EXPECT_EQ(clean::IsProtectedFolder(c.folder), c.refused) << c.folder;
}

TEST(TempFolderCleaner, LeavesADriveAloneThatTheTemporaryFolderLeadsTo) {
    WriteFile("d:\\marker.txt", "stays");
    {
        TempFolderOverride temp("e:\\fixtures\\guarded\\drive-d\\");
        cleantest::RecordingProgress progress;
        clean::RunTraceCleaner(3, progress);
    }
    EXPECT_EQ(ReadFile("d:\\marker.txt"), "stays");
    DeleteFileA("d:\\marker.txt");
}

TEST(ShortcutFolderCleaners, EmptyRecentAndNetHoodButKeepDesktopIni) {
    const std::vector<Entry> shortcuts = {
        {"desktop.ini", kNormal},   {"report.doc.lnk", kNormal},  {"ro.lnk", kReadOnly},
        {"Share\\desktop.ini", kNormal}, {"Share\\target.lnk", kNormal}, {"Old\\Older\\x.lnk", kNormal},
    };
    struct Case {
        int cleaner;
        int csidl;
    } cases[] = {{6, CSIDL_RECENT}, {10, CSIDL_NETHOOD}};
    for (const Case& c : cases) {
        std::string recentDocs = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";
        ASSERT_TRUE(platform::RegistryKey::Create(HKEY_CURRENT_USER, recentDocs).Opened());
        PrefixFolderFixture folder(SpecialFolder(c.csidl), shortcuts);
        cleantest::RecordingProgress progress;
        clean::RunTraceCleaner(c.cleaner, progress);
        EXPECT_TRUE(Present(folder["desktop.ini"])) << c.cleaner;
        EXPECT_TRUE(Present(folder["Share\\desktop.ini"])) << c.cleaner;
        for (const char* gone : {"report.doc.lnk", "ro.lnk", "Share\\target.lnk", "Old"}) {
            EXPECT_FALSE(Present(folder[gone])) << c.cleaner << " " << gone;
        }
        bool keyLeft = platform::RegistryKey::Open(HKEY_CURRENT_USER, recentDocs, KEY_READ).Opened();
        EXPECT_EQ(keyLeft, c.cleaner != 6) << "only the recent-documents cleaner deletes RecentDocs";
        platform::DeleteKeyTree(HKEY_CURRENT_USER, recentDocs);
    }
}

// Points one of the user's shell folders somewhere else for the length of a
// test, the way a bad tweak of the registry can.
class ShellFolderRedirect {
public:
    ShellFolderRedirect(const char* name, const std::string& target) : name_(name) {
        for (Key& key : keys_) {
            RegCreateKeyExA(HKEY_CURRENT_USER, key.path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key.handle, nullptr);
            char value[MAX_PATH] = {};
            DWORD size = sizeof value;
            key.had = RegQueryValueExA(key.handle, name, nullptr, &key.type, reinterpret_cast<BYTE*>(value), &size) ==
                      ERROR_SUCCESS;
            key.old.assign(value, size ? size - 1 : 0);
            RegSetValueExA(key.handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(target.c_str()),
                           static_cast<DWORD>(target.size() + 1));
        }
    }
    ~ShellFolderRedirect() {
        for (Key& key : keys_) {
            if (key.had) {
                RegSetValueExA(key.handle, name_, 0, key.type, reinterpret_cast<const BYTE*>(key.old.c_str()),
                               static_cast<DWORD>(key.old.size() + 1));
            } else {
                RegDeleteValueA(key.handle, name_);
            }
            RegCloseKey(key.handle);
        }
    }

private:
    struct Key {
        explicit Key(const char* keyPath) : path(keyPath) {}
        const char* path;
        HKEY handle = nullptr;
        bool had = false;
        DWORD type = REG_SZ;
        std::string old;
    };
    const char* name_;
    Key keys_[2] = {Key("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders"),
                    Key("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders")};
};

TEST(ShortcutFolderCleaners, LeaveARedirectedFolderAloneWhenItIsTheProfile) {
    const std::string profile = SpecialFolder(CSIDL_PROFILE);
    const std::string marker = profile + "\\keep-me.txt";
    WriteFile(marker, "the user's own file");
    {
        ShellFolderRedirect redirect("NetHood", profile);
        ASSERT_EQ(SpecialFolder(CSIDL_NETHOOD), profile) << "the redirection did not take";
        cleantest::RecordingProgress progress;
        clean::RunTraceCleaner(10, progress);
    }
    EXPECT_EQ(ReadFile(marker), "the user's own file");
    EXPECT_TRUE(FolderExists(SpecialFolder(CSIDL_PERSONAL)));
    DeleteFileA(marker.c_str());
}

TEST(BrowserHistoryCleaner, WipesBusyIndexFilesInBothHistoryFolders) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string original = Pattern(100 * 1024);
    const std::string small = Pattern(40);
    const std::vector<Entry> history = {
        {"desktop.ini", kNormal},         {"busy\\index.dat", kNormal}, {"small\\index.dat", kNormal},
        {"free\\index.dat", kNormal},     {"Old\\visited.url", kNormal},
    };
    for (const std::string& place : {std::string(windows) + "\\History", SpecialFolder(CSIDL_HISTORY)}) {
        PrefixFolderFixture folder(place, history);
        WriteFile(folder["busy\\index.dat"], original);
        WriteFile(folder["small\\index.dat"], small);
        WriteFile(folder["free\\index.dat"], original);
        auto busy = HoldOpen(folder["busy\\index.dat"]);
        auto busySmall = HoldOpen(folder["small\\index.dat"]);
        cleantest::RecordingProgress progress;
        clean::RunTraceCleaner(12, progress);
        busy.Reset();
        busySmall.Reset();
        std::string zeroed = original;
        std::fill(zeroed.begin() + 64, zeroed.end(), '\0');
        EXPECT_EQ(ReadFile(folder["busy\\index.dat"]), zeroed) << place;
        EXPECT_EQ(ReadFile(folder["small\\index.dat"]), small) << place;
        EXPECT_FALSE(Present(folder["free"])) << place;
        EXPECT_FALSE(Present(folder["Old"])) << place;
        EXPECT_TRUE(Present(folder["desktop.ini"])) << place;
        EXPECT_EQ(progress.Events(), std::vector<std::string>({"status _cpclringcleanck12", "pos 50", "pos 100"}));
    }
}

}  // namespace
