#include "clean/guarded_folders.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "clean/folder_tree.h"
#include "platform/codepage.h"
#include "platform/handle.h"
#include "platform/special_folders.h"

namespace clean {

namespace {

constexpr int kGuardedSpecialFolders[] = {CSIDL_PROFILE, CSIDL_PERSONAL, CSIDL_DESKTOPDIRECTORY};

// Buffers grow to what the call asks for: long forms can outgrow MAX_PATH.
template <typename Call>
std::string GrowingBuffer(Call call) {
    std::string buffer(MAX_PATH, '\0');
    for (int tries = 0; tries < 3; ++tries) {
        DWORD n = call(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.assign(n + 1, '\0');
    }
    return {};
}

std::string FullPath(const std::string& path) {
    return GrowingBuffer([&](char* out, DWORD size) { return ::GetFullPathNameA(path.c_str(), size, out, nullptr); });
}

std::string LongPath(const std::string& path) {
    return GrowingBuffer([&](char* out, DWORD size) { return ::GetLongPathNameA(path.c_str(), out, size); });
}

// Length of the root: "C:\" or "\\server\share\" (0 when there is none).
size_t RootLength(const std::string& full) {
    if (full.size() >= 2 && full[1] == ':') return full.size() > 2 && full[2] == '\\' ? 3 : 2;
    if (full.rfind("\\\\", 0) != 0) return 0;
    size_t server = full.find('\\', 2);
    if (server == std::string::npos) return full.size();
    size_t share = full.find('\\', server + 1);
    return share == std::string::npos ? full.size() : share + 1;
}

// Drops the trailing dots and blanks of every component (the file system
// ignores them) and the trailing separators.
std::string TrimComponents(const std::string& path, size_t root) {
    std::string trimmed = path.substr(0, root);
    size_t start = root;
    while (start < path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        std::string component = path.substr(start, end - start);
        size_t keep = component.find_last_not_of(". ");
        if (keep != std::string::npos) component.resize(keep + 1);
        if (!component.empty()) {
            if (trimmed.size() > root) trimmed += '\\';
            trimmed += component;
        }
        start = end + 1;
    }
    while (trimmed.size() > 2 && trimmed.back() == '\\') trimmed.pop_back();
    return trimmed;
}

// The one spelling of a folder: full, long as far as the folders exist,
// trimmed, lower case. Empty when the path cannot be made full.
std::string LongForm(const std::string& path) {
    std::string full = FullPath(path);
    if (full.empty()) return {};
    const size_t root = RootLength(full);
    // Only existing folders have long names: expand the longest existing
    // head and keep the rest as written.
    std::string head = full, tail;
    while (head.size() > root) {
        std::string expanded = LongPath(head);
        if (!expanded.empty()) {
            full = expanded + tail;
            break;
        }
        size_t cut = head.find_last_of('\\');
        if (cut == std::string::npos || cut < root) break;
        tail = head.substr(cut) + tail;
        head.resize(cut);
    }
    return platform::LowerAnsi(TrimComponents(full, RootLength(full)));
}

bool IsRoot(const std::string& longForm) {
    std::string withSeparator = longForm + '\\';
    return RootLength(withSeparator) >= withSeparator.size();
}

// What the file system knows a folder by, however it was reached.
struct FolderIdentity {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
    bool operator==(const FolderIdentity&) const = default;
};

platform::UniqueHandle OpenFolder(const std::string& folder) {
    // "C:" alone would name the current folder of drive C.
    const std::string open = folder.size() == 2 && folder[1] == ':' ? folder + "\\" : folder;
    return platform::UniqueHandle(::CreateFileA(open.c_str(), FILE_READ_ATTRIBUTES,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// The path the file system resolves an open folder to, every link on the
// way followed: lower case, without the "\\?\" prefix or a trailing
// backslash. Empty when it cannot be told.
std::string FinalFormOf(HANDLE handle) {
    std::wstring path(MAX_PATH, L'\0');
    DWORD n = ::GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
    if (n >= path.size()) {
        path.resize(n + 1);
        n = ::GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
    }
    if (n == 0 || n >= path.size()) return {};
    path.resize(n);
    constexpr std::wstring_view kLocalPrefix = L"\\\\?\\";
    if (std::wstring_view(path).substr(0, kLocalPrefix.size()) != kLocalPrefix) return {};
    std::string narrow;
    if (!platform::ToNarrowExact(std::wstring_view(path).substr(kLocalPrefix.size()), narrow)) return {};
    while (narrow.size() > 2 && narrow.back() == '\\') narrow.pop_back();
    return platform::LowerAnsi(narrow);
}

std::optional<FolderIdentity> IdentityOf(const std::string& folder, std::string* finalForm = nullptr) {
    platform::UniqueHandle handle = OpenFolder(folder);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!handle || !::GetFileInformationByHandle(handle.Get(), &info)) return std::nullopt;
    if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
    if (finalForm) *finalForm = FinalFormOf(handle.Get());
    return FolderIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

std::vector<std::string> GuardedFolders() {
    std::vector<std::string> folders = {platform::WindowsFolder()};
    for (int csidl : kGuardedSpecialFolders) folders.push_back(platform::SpecialFolderPath(csidl));
    std::erase(folders, std::string());
    return folders;
}

// The guarded folders and everything that holds them, in long form and by
// identity; and the roots of the local disks, by identity.
struct Guard {
    std::vector<std::string> longForms;
    std::vector<FolderIdentity> identities;
    std::vector<std::string> finalForms;  // of the same folders, where the file system tells them
    std::vector<std::string> asked;  // the guarded folders share their upper levels

    void AddIdentity(const std::string& folder) {
        std::string key = platform::LowerAnsi(folder);
        if (std::find(asked.begin(), asked.end(), key) != asked.end()) return;
        asked.push_back(key);
        std::string finalForm;
        if (auto id = IdentityOf(folder, &finalForm)) {
            identities.push_back(*id);
            if (!finalForm.empty()) finalForms.push_back(std::move(finalForm));
        }
    }
};

Guard MakeGuard() {
    Guard guard;
    for (const std::string& folder : GuardedFolders()) {
        std::string longForm = LongForm(folder);
        if (longForm.empty()) continue;
        guard.longForms.push_back(longForm);
        // The folder and every folder above it, its root included.
        for (std::string path = longForm;;) {
            if (IsRoot(path)) {
                guard.AddIdentity(path + '\\');
                break;
            }
            guard.AddIdentity(path);
            size_t cut = path.find_last_of('\\');
            if (cut == std::string::npos) break;
            path.resize(cut);
        }
    }
    char drives[4 * 26 + 1] = {};
    DWORD n = ::GetLogicalDriveStringsA(sizeof drives - 1, drives);
    for (const char* root = drives; n > 0 && n < sizeof drives && *root; root += lstrlenA(root) + 1) {
        // Only local disks: a removable or optical drive may wait for a
        // medium, a network drive for its server.
        UINT type = ::GetDriveTypeA(root);
        if (type == DRIVE_FIXED || type == DRIVE_RAMDISK) guard.AddIdentity(root);
    }
    return guard;
}

bool HoldsOrIs(const std::string& folder, const std::string& guarded) {
    return guarded == folder || (guarded.size() > folder.size() && guarded.compare(0, folder.size(), folder) == 0 &&
                                 guarded[folder.size()] == '\\');
}

}  // namespace

struct FolderGuard::Known {
    Guard guard;
};

FolderGuard::FolderGuard() : known_(std::make_shared<Known>(Known{MakeGuard()})) {}

bool IsProtectedFolder(const std::string& folder) { return FolderGuard().Refuses(folder); }

std::string FinalFolderForm(const std::string& folder) {
    platform::UniqueHandle handle = OpenFolder(folder);
    return handle ? FinalFormOf(handle.Get()) : std::string();
}

bool FolderGuard::RefusesFinalForm(std::string_view finalForm) const {
    if (finalForm.empty() || IsRoot(std::string(finalForm))) return true;
    for (const std::string& known : known_->guard.finalForms) {
        if (HoldsOrIs(std::string(finalForm), known)) return true;
    }
    return false;
}

bool FolderGuard::RefusesExisting(const std::string& folder) const {
    if (NamesWholeDrive(folder)) return true;
    // The guard knows the guarded folders, every folder above them and the
    // roots by identity, so an existing folder that is or holds one of them
    // (in whatever spelling, or through a link) shows by its identity.
    std::optional<FolderIdentity> id = IdentityOf(folder);
    if (!id) return Refuses(folder);
    const std::vector<FolderIdentity>& known = known_->guard.identities;
    return std::find(known.begin(), known.end(), *id) != known.end();
}

bool FolderGuard::Refuses(const std::string& folder) const {
    if (NamesWholeDrive(folder)) return true;
    std::string candidate = LongForm(folder);
    if (candidate.empty() || IsRoot(candidate)) return true;
    const Guard& guard = known_->guard;
    for (const std::string& guarded : guard.longForms) {
        if (HoldsOrIs(candidate, guarded)) return true;
    }
    // A link or junction leads elsewhere than its spelling says.
    std::optional<FolderIdentity> id = IdentityOf(folder);
    return id && std::find(guard.identities.begin(), guard.identities.end(), *id) != guard.identities.end();
}

}  // namespace clean
