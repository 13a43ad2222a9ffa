#include "support/app_profile.h"

#include "support/scratch.h"

namespace testsupport {

namespace {

constexpr const char* kLocal = "AppData\\Local\\";
constexpr const char* kRoaming = "AppData\\Roaming\\";

void Add(std::vector<ProfileFile>& files, const std::string& base, std::initializer_list<const char*> cache,
         std::initializer_list<const char*> precious) {
    for (const char* path : cache) files.push_back({base + path, true});
    for (const char* path : precious) files.push_back({base + path, false});
}

// A browser built on the same engine as most: profiles in "User Data".
void AddBrowser(std::vector<ProfileFile>& files, const std::string& userData) {
    Add(files, userData,
        {"Default\\Cache\\Cache_Data\\data_0", "Default\\Cache\\Cache_Data\\f_000001", "Default\\Code Cache\\js\\index",
         "Default\\Code Cache\\wasm\\index", "Default\\GPUCache\\data_1", "Default\\DawnCache\\data_0",
         "Profile 1\\Cache\\Cache_Data\\data_2", "Profile 1\\Code Cache\\js\\0a1b", "ShaderCache\\data_0",
         "GrShaderCache\\data_1", "GraphiteDawnCache\\data_2"},
        {"Local State", "Default\\History", "Default\\Cookies", "Default\\Network\\Cookies", "Default\\Login Data",
         "Default\\Bookmarks", "Default\\Preferences", "Default\\Web Data", "Default\\Sessions\\Session_1",
         "Default\\Local Storage\\leveldb\\000003.log", "Default\\IndexedDB\\https_example.org\\000003.log",
         "Default\\Service Worker\\CacheStorage\\0a\\index", "Default\\Service Worker\\ScriptCache\\index",
         "Default\\Extensions\\abcdef\\1.0\\manifest.json", "Profile 1\\History", "Profile 1\\Login Data"});
}

std::vector<ProfileFile> MakeFiles() {
    std::vector<ProfileFile> files;
    const std::string local = kLocal, roaming = kRoaming;
    AddBrowser(files, local + "Google\\Chrome\\User Data\\");
    AddBrowser(files, local + "Microsoft\\Edge\\User Data\\");
    AddBrowser(files, local + "BraveSoftware\\Brave-Browser\\User Data\\");
    AddBrowser(files, local + "Vivaldi\\User Data\\");
    Add(files, local + "Opera Software\\Opera Stable\\", {"Cache\\Cache_Data\\data_0", "Code Cache\\js\\index"}, {});
    Add(files, roaming + "Opera Software\\Opera Stable\\", {"GPUCache\\data_0", "ShaderCache\\data_1"},
        {"Cookies", "History", "Bookmarks", "Login Data", "Preferences", "Local Storage\\leveldb\\000003.log"});
    Add(files, local + "Mozilla\\Firefox\\Profiles\\a1b2.default-release\\",
        {"cache2\\entries\\0A1B2C", "cache2\\index", "startupCache\\startupCache.8.little", "thumbnails\\0a1b.png"},
        {"safebrowsing\\google4\\goog-phish.vlpset"});
    Add(files, roaming + "Mozilla\\Firefox\\Profiles\\a1b2.default-release\\", {},
        {"places.sqlite", "cookies.sqlite", "logins.json", "key4.db", "prefs.js", "sessionstore.jsonlz4",
         "storage\\default\\https+++example.org\\ls\\data.sqlite"});
    Add(files, local + "Thunderbird\\Profiles\\c3d4.default\\", {"cache2\\entries\\A1", "startupCache\\x.little"}, {});
    Add(files, roaming + "Thunderbird\\Profiles\\c3d4.default\\", {},
        {"prefs.js", "abook.sqlite", "Mail\\Local Folders\\Inbox"});
    Add(files, local, {"D3DSCache\\5a6b\\0a1b.idx", "D3DSCache\\5a6b\\0a1b.val"}, {});
    Add(files, local + "NVIDIA\\", {"DXCache\\a1.nvph", "GLCache\\0a\\b1.bin"}, {});
    Add(files, roaming + "NVIDIA\\", {"ComputeCache\\0\\a\\1b"}, {});
    Add(files, local + "AMD\\", {"DxCache\\a.bin", "DxcCache\\b.bin", "GLCache\\c.bin", "VkCache\\d.bin"}, {});
    Add(files, local + "Microsoft\\Windows\\Explorer\\",
        {"thumbcache_256.db", "thumbcache_idx.db", "iconcache_32.db"}, {"ExplorerStartupLog.etl"});
    Add(files, local + "CrashDumps\\", {"app.exe.4242.dmp"}, {});
    Add(files, local + "Microsoft\\Windows\\WER\\",
        {"ReportArchive\\AppCrash_app.exe_1\\Report.wer", "ReportQueue\\AppHang_app.exe_2\\Report.wer",
         "ReportQueue\\AppHang_app.exe_2\\memory.hdmp"},
        {});
    Add(files, roaming + "discord\\", {"Cache\\Cache_Data\\data_0", "Code Cache\\js\\index", "GPUCache\\data_1"},
        {"settings.json", "Local Storage\\leveldb\\000003.log", "Cookies"});
    Add(files, roaming + "Microsoft\\Teams\\", {"Cache\\f_000001", "Code Cache\\js\\index", "GPUCache\\data_0"},
        {"Cookies", "desktop-config.json", "IndexedDB\\https_teams\\000003.log",
         "Service Worker\\CacheStorage\\0a\\index"});
    Add(files, local + "Spotify\\", {"Data\\0a\\0a1b2c.file", "Browser\\Cache\\Cache_Data\\data_0"},
        {"Storage\\offline.bnk", "Users\\someone-user\\local-files.bnk"});
    Add(files, local + "Steam\\htmlcache\\", {"Cache\\Cache_Data\\data_0", "Code Cache\\js\\index", "GPUCache\\data_1"},
        {"Cookies", "Local Storage\\leveldb\\000003.log"});
    Add(files, roaming + "Code\\",
        {"Cache\\Cache_Data\\data_0", "CachedData\\0a1b\\x.code", "Code Cache\\js\\index", "GPUCache\\data_1",
         "CachedExtensionVSIXs\\ms-python.python-2024.1.0"},
        {"User\\settings.json", "User\\globalStorage\\state.vscdb", "Local Storage\\leveldb\\000003.log",
         "Backups\\workspace\\file\\unsaved.txt"});
    Add(files, local + "npm-cache\\", {"_cacache\\index-v5\\0a\\1b", "_logs\\2024-01-01-debug-0.log"}, {});
    Add(files, local + "pip\\Cache\\", {"http-v2\\a\\b\\c\\0a1b"}, {});
    Add(files, local + "NuGet\\", {"v3-cache\\0a1b$ps_api.nuget.org\\list_x.dat", "plugins-cache\\0a.dat"}, {});
    Add(files, "", {".gradle\\caches\\modules-2\\files-2.1\\lib\\1.0\\lib-1.0.jar"},
        {".gradle\\gradle.properties", ".nuget\\packages\\lib\\1.0\\lib.1.0.nupkg"});
    Add(files, local + "Microsoft\\", {},
        {"Office\\16.0\\OfficeFileCache\\CentralTable.accdb", "OneDrive\\settings\\Personal\\global.ini",
         "Credentials\\0A1B2C3D"});
    Add(files, "", {}, {"Documents\\report.docx", "Documents\\thesis.bak", "Desktop\\notes.txt", "OneDrive\\plan.xlsx",
                        "NTUSER.DAT"});
    return files;
}

}  // namespace

const std::vector<ProfileFile>& SyntheticProfileFiles() {
    static const std::vector<ProfileFile> files = MakeFiles();
    return files;
}

void LayProfile(const std::string& root, const std::vector<ProfileFile>& files) {
    for (const ProfileFile& file : files) {
        const std::string path = root + "\\" + file.path;
        MakeFolders(path.substr(0, path.find_last_of('\\')));
        WriteFile(path, file.path);
    }
}

scan::AppFolders ProfileFolders(const std::string& root) {
    scan::AppFolders folders;
    folders.Set("%UserProfile%", {root});
    folders.Set("%LocalAppData%", {root + "\\AppData\\Local"});
    folders.Set("%AppData%", {root + "\\AppData\\Roaming"});
    folders.Set("%LocalLowAppData%", {root + "\\AppData\\LocalLow"});
    folders.Set("%Documents%", {root + "\\Documents"});
    folders.Set("%Desktop%", {root + "\\Desktop"});
    folders.Set("%Temp%", {root + "\\AppData\\Local\\Temp"}, false);
    return folders;
}

std::string ShippedRulesPath() { return TestProgramFolder() + "\\JunkSweep.rules.ini"; }

}  // namespace testsupport
