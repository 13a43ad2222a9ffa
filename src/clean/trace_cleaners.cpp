#include "clean/trace_cleaners.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "clean/browser_traces.h"
#include "platform/clipboard.h"
#include "platform/registry.h"
#include "platform/shell_file_operation.h"
#include "platform/special_folders.h"
#include "text/language_table.h"

namespace clean {

namespace {

constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
// The search bars of the file and computer searches keep their history here.
constexpr const char* kExplorerBars =
    "Software\\Microsoft\\Internet Explorer\\Explorer Bars\\{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}\\";

void DeleteUserKey(const std::string& key) { platform::DeleteKeyTree(HKEY_CURRENT_USER, key); }

void CleanClipboard() {
    platform::ClipboardScope clipboard;
    clipboard.Empty();
}

void CleanRasAutodial() { DeleteUserKey("Software\\Microsoft\\RAS Autodial\\Addresses"); }

void EmptySpecialFolder(int csidl, bool includeDesktopIni, bool wipeIndexFiles) {
    std::string folder = platform::SpecialFolderPath(csidl);
    if (!folder.empty() && !IsProtectedFolder(folder)) EmptyFolderTree(folder, includeDesktopIni, wipeIndexFiles);
}

void CleanTempFolder() {
    std::string folder = platform::TempFolder();
    if (folder.empty() || IsProtectedFolder(folder)) return;
    EmptyFolderTree(folder, true, false);
}

void CleanRecycleBin() { platform::EmptyRecycleBin(); }

void CleanRunHistory() { DeleteUserKey(std::string(kExplorer) + "RunMRU"); }

void CleanDocHistory() {
    EmptySpecialFolder(CSIDL_RECENT, false, false);
    DeleteUserKey(std::string(kExplorer) + "RecentDocs");
}

void CleanWinlogon() {
    const char* userKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
    platform::DeleteValue(HKEY_CURRENT_USER, userKey, "DefaultUserName");
    platform::DeleteValue(HKEY_CURRENT_USER, userKey, "AltDefaultUserName");
    platform::DeleteValue(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon", "DefaultUserName");
}

void CleanFindFileHistory() {
    DeleteUserKey(std::string(kExplorer) + "Doc Find Spec MRU");
    DeleteUserKey(std::string(kExplorerBars) + "ContainingTextMRU");
    DeleteUserKey(std::string(kExplorerBars) + "FilesNamedMRU");
}

void CleanFindComputerHistory() {
    DeleteUserKey(std::string(kExplorer) + "FindComputerMRU");
    DeleteUserKey(std::string(kExplorerBars) + "ComputerNameMRU");
}

void CleanNetHood() { EmptySpecialFolder(CSIDL_NETHOOD, false, false); }

void CleanTelnetHistory() {
    const char* key = "Software\\Microsoft\\Telnet";
    for (int n = 1; n <= 8; ++n) {
        for (const char* stem : {"Machine", "Service", "TermType"}) {
            platform::DeleteValue(HKEY_CURRENT_USER, key, stem + std::to_string(n));
        }
    }
    for (const char* last : {"LastMachine", "LastService", "LastTermType"}) {
        platform::DeleteValue(HKEY_CURRENT_USER, key, last);
    }
}

void CleanBrowserHistory() {
    ClearUrlHistoryService();
    std::string windows = platform::WindowsFolder();
    if (!windows.empty()) EmptyFolderTree(windows + "\\History", false, true);
    EmptySpecialFolder(CSIDL_HISTORY, false, true);
}

void CleanBrowserCache() {
    DeleteNonCookieCacheEntries();
    EmptySpecialFolder(CSIDL_INTERNET_CACHE, false, false);
}

const std::array<TraceCleaner, kTraceCleanerCount> kCleaners = {{
    {1, "_cpclringcleanck1", "clipboard", CleanClipboard},
    {2, "_cpclringcleanck2", "autodial-addresses", CleanRasAutodial},
    {3, "_cpclringcleanck3", "temporary-folder", CleanTempFolder},
    {4, "_cpclringcleanck4", "recycle-bin", CleanRecycleBin},
    {5, "_cpclringcleanck5", "run-history", CleanRunHistory},
    {6, "_cpclringcleanck6", "recent-documents", CleanDocHistory},
    {7, "_cpclringcleanck7", "logon-user-name", CleanWinlogon},
    {8, "_cpclringcleanck8", "file-search-history", CleanFindFileHistory},
    {9, "_cpclringcleanck9", "computer-search-history", CleanFindComputerHistory},
    {10, "_cpclringcleanck10", "network-places", CleanNetHood},
    {11, "_cpclringcleanck11", "telnet-history", CleanTelnetHistory},
    {12, "_cpclringcleanck12", "internet-history", CleanBrowserHistory},
    {13, "_cpclringcleanck13", "internet-cache", CleanBrowserCache},
}};

}  // namespace

const std::array<TraceCleaner, kTraceCleanerCount>& TraceCleaners() { return kCleaners; }

void RunTraceCleaner(int number, CleanProgress& progress) {
    if (number < 1 || number > kTraceCleanerCount) return;
    const TraceCleaner& cleaner = kCleaners[number - 1];
    progress.SetStatus(text::LookupText(cleaner.statusKey));
    progress.SetPosition(50);
    cleaner.work();
    progress.SetPosition(100);
}

}  // namespace clean
