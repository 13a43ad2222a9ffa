#include "scan/app_folders.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "paths/module_paths.h"
#include "paths/path_text.h"
#include "platform/codepage.h"
#include "platform/special_folders.h"

namespace scan {

namespace {

std::string Environment(const char* name) {
    // A value may be longer than MAX_PATH (a deep profile, or UTF-8 text):
    // asked again with the size the first call gives.
    std::string value(MAX_PATH, '\0');
    DWORD n = ::GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
    if (n >= value.size()) {
        value.assign(n, '\0');
        n = ::GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
    }
    if (n == 0 || n >= value.size()) return {};
    value.resize(n);
    return value;
}

std::string Shell(int csidl) { return platform::SpecialFolderPath(csidl); }

std::string Clean(std::string folder) {
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    if (folder.size() == 3 && folder[1] == ':' && folder[2] == '\\') folder.pop_back();
    return folder;
}

bool Holds(std::string_view folder, std::string_view inner) {
    return inner.size() >= folder.size() && inner.compare(0, folder.size(), folder) == 0 &&
           (inner.size() == folder.size() || inner[folder.size()] == '\\' || folder.empty());
}

}  // namespace

AppFolders AppFolders::OfSystem() {
    AppFolders folders;
    const std::string windows = platform::WindowsFolder();
    const std::string drive = windows.size() >= 2 && windows[1] == ':' ? windows.substr(0, 2) : std::string();
    folders.Set("%UserProfile%", {Shell(CSIDL_PROFILE)});
    folders.Set("%AppData%", {Shell(CSIDL_APPDATA)});
    folders.Set("%LocalAppData%", {Shell(CSIDL_LOCAL_APPDATA)});
    folders.Set("%LocalLowAppData%", {platform::LocalLowFolder()});
    folders.Set("%Documents%", {Shell(CSIDL_PERSONAL)});
    folders.Set("%Desktop%", {Shell(CSIDL_DESKTOPDIRECTORY)});
    folders.Set("%Pictures%", {Shell(CSIDL_MYPICTURES)});
    folders.Set("%Music%", {Shell(CSIDL_MYMUSIC)});
    folders.Set("%Video%", {Shell(CSIDL_MYVIDEO)});
    folders.Set("%Public%", {Environment("PUBLIC")});
    folders.Set("%CommonAppData%", {Shell(CSIDL_COMMON_APPDATA)});
    folders.Set("%ProgramData%", {Shell(CSIDL_COMMON_APPDATA)});
    folders.Set("%ProgramFiles%", {Shell(CSIDL_PROGRAM_FILES), Shell(CSIDL_PROGRAM_FILESX86)});
    folders.Set("%CommonProgramFiles%", {Shell(CSIDL_PROGRAM_FILES_COMMON), Shell(CSIDL_PROGRAM_FILES_COMMONX86)});
    folders.Set("%WinDir%", {windows});
    folders.Set("%SystemRoot%", {windows});
    folders.Set("%SystemDrive%", {drive});
    // The temporary folder is cleaned as a whole by rules; only the guarded
    // folders keep a misdirected one from being emptied.
    folders.Set("%Temp%", {platform::TempFolder()}, false);
    folders.Set("%Tmp%", {platform::TempFolder()}, false);
    folders.AddBase(platform::SystemFolder());
    folders.AddBase(paths::ModuleDirectory());
    return folders;
}

void AppFolders::Set(std::string_view name, std::vector<std::string> list, bool base) {
    std::vector<std::string> kept;
    for (std::string& folder : list) {
        if (folder.empty()) continue;
        folder = Clean(std::move(folder));
        if (std::find(kept.begin(), kept.end(), folder) == kept.end()) kept.push_back(folder);
        if (base) AddBase(folder);
    }
    const auto same = [&](const EnvironmentFolder& f) { return platform::LowerAnsi(f.name) == platform::LowerAnsi(name); };
    std::erase_if(names_, same);
    names_.push_back({std::string(name), std::move(kept), base});
}

void AppFolders::AddBase(std::string folder) {
    if (folder.empty()) return;
    std::string lowered = platform::LowerAnsi(Clean(std::move(folder)));
    if (std::find(bases_.begin(), bases_.end(), lowered) == bases_.end()) bases_.push_back(std::move(lowered));
}

const EnvironmentFolder* AppFolders::Find(std::string_view name) const {
    const std::string lowered = platform::LowerAnsi(name);
    for (const EnvironmentFolder& f : names_) {
        if (platform::LowerAnsi(f.name) == lowered) return &f;
    }
    return nullptr;
}

std::vector<ExpandedFolder> AppFolders::Expand(std::string_view text) const {
    if (text.empty()) return {};
    if (text.front() != '%') return {{std::string(text), std::min<size_t>(text.size(), 2)}};
    const size_t close = text.find('%', 1);
    if (close == std::string_view::npos) return {};
    const EnvironmentFolder* known = Find(text.substr(0, close + 1));
    if (!known) return {};
    const std::string_view rest = text.substr(close + 1);
    std::vector<ExpandedFolder> expanded;
    for (const std::string& folder : known->folders) {
        // "%SystemDrive%" alone names the drive's root.
        std::string whole = folder + std::string(rest);
        if (whole.size() == 2 && whole[1] == ':') whole += '\\';
        expanded.push_back({std::move(whole), folder.size()});
    }
    return expanded;
}

bool AppFolders::NamesOrHoldsBase(std::string_view loweredFolder) const {
    return std::any_of(bases_.begin(), bases_.end(), [&](const std::string& base) { return Holds(loweredFolder, base); });
}

}  // namespace scan
