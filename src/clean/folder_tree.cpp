#include "clean/folder_tree.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "paths/path_text.h"
#include "platform/handle.h"

namespace clean {

namespace {

constexpr DWORD kIndexHeaderSize = 64;
constexpr DWORD kZeroBlockSize = 10000;

bool SameNameIgnoringCase(const char* name, const char* expected) { return ::lstrcmpiA(name, expected) == 0; }

void ClearReadOnly(const std::string& path) {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        ::SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
}

}  // namespace

bool NamesWholeDrive(std::string_view folder) {
    while (!folder.empty() && folder.back() == '\\') folder.remove_suffix(1);
    return folder.empty() || (folder.size() == 2 && folder[1] == ':');
}

bool EmptyFolderTree(std::string_view folder, bool includeDesktopIni, bool wipeIndexFiles) {
    // No trace folder is a whole drive: a path that names one (or nothing,
    // which would list the current drive's root) is never emptied.
    if (NamesWholeDrive(folder)) return false;
    WIN32_FIND_DATAA entry{};
    platform::FindHandle find(::FindFirstFileA(paths::JoinPath(folder, "*.*").c_str(), &entry));
    if (!find) return false;
    do {
        const char* name = entry.cFileName;
        if (paths::IsDotEntry(name)) continue;
        if (!includeDesktopIni && SameNameIgnoringCase(name, "desktop.ini")) continue;
        std::string path = paths::JoinPath(folder, name);
        bool isLink = (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isLink) {
            // A junction or symbolic link: take away the link, never what it
            // points to (its content, its attributes, an index file it names).
            if (isFolder) {
                ::RemoveDirectoryA(path.c_str());
            } else {
                ::DeleteFileA(path.c_str());
            }
            continue;
        }
        ClearReadOnly(path);
        if (isFolder) {
            EmptyFolderTree(path, includeDesktopIni, wipeIndexFiles);
            ::RemoveDirectoryA(path.c_str());
        } else {
            if (wipeIndexFiles && SameNameIgnoringCase(name, "index.dat")) WipeIndexFile(folder, name);
            ::DeleteFileA(path.c_str());
        }
    } while (::FindNextFileA(find.Get(), &entry));
    return true;
}

void WipeIndexFile(std::string_view folder, std::string_view name) {
    std::string path = paths::JoinPath(folder, name);
    platform::UniqueHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    DWORD size = ::GetFileSize(file.Get(), nullptr);
    if (size == INVALID_FILE_SIZE || size <= kIndexHeaderSize) return;
    if (::SetFilePointer(file.Get(), static_cast<LONG>(kIndexHeaderSize), nullptr, FILE_BEGIN) ==
        INVALID_SET_FILE_POINTER) {
        return;
    }
    static const std::vector<char> zeros(kZeroBlockSize, '\0');
    DWORD remaining = size - kIndexHeaderSize;
    while (remaining > 0) {
        DWORD block = std::min(remaining, kZeroBlockSize);
        DWORD written = 0;
        if (!::WriteFile(file.Get(), zeros.data(), block, &written, nullptr) || written == 0) return;
        remaining -= written;
    }
}

}  // namespace clean
