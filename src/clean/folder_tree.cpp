#include "clean/folder_tree.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "clean/file_ops.h"
#include "paths/path_text.h"
#include "platform/file_query.h"
#include "platform/folder_listing.h"
#include "platform/folder_removal.h"
#include "platform/held_file.h"

namespace clean {

namespace {

using platform::HeldFile;
using platform::HeldState;

constexpr DWORD kIndexHeaderSize = 64;
constexpr DWORD kZeroBlockSize = 10000;

bool SameNameIgnoringCase(const char* name, const char* expected) { return ::lstrcmpiA(name, expected) == 0; }

void ClearReadOnlyFolder(const std::string& path, DWORD attributes) {
    if (!(attributes & FILE_ATTRIBUTE_READONLY)) return;
    HeldFile folder(path, HeldFile::kForAttributes);
    platform::FolderFinalPaths unused;
    if (folder.Check(unused, std::nullopt) == HeldState::Folder) {
        folder.SetAttributes(folder.Attributes() & ~FILE_ATTRIBUTE_READONLY);
    }
}

// Zeroes the file held for writing from byte 64 to its end.
void WipeHeldFile(const HeldFile& file) {
    const uint64_t size = file.Size();
    if (size <= kIndexHeaderSize || size > 0xFFFFFFFFu) return;
    LARGE_INTEGER at{};
    at.QuadPart = kIndexHeaderSize;
    if (!::SetFilePointerEx(file.Get(), at, nullptr, FILE_BEGIN)) return;
    static const std::vector<char> zeros(kZeroBlockSize, '\0');
    uint64_t remaining = size - kIndexHeaderSize;
    while (remaining > 0) {
        DWORD block = static_cast<DWORD>(std::min<uint64_t>(remaining, kZeroBlockSize));
        DWORD written = 0;
        if (!::WriteFile(file.Get(), zeros.data(), block, &written, nullptr) || written == 0) return;
        remaining -= written;
    }
}

// Deletes one file of a trace folder, never through a link: a link held as
// itself (the platform opened the link, not its target) is removed as a
// link; one that could only be opened through to its target stays.
void DeleteTraceFile(const std::string& path, const WIN32_FIND_DATAA& entry, bool wipe,
                     platform::FolderFinalPaths& folders) {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
        HeldFile attributes(path, HeldFile::kForAttributes);
        if (attributes.Check(folders, std::nullopt) == HeldState::Plain) {
            attributes.SetAttributes(attributes.Attributes() & ~FILE_ATTRIBUTE_READONLY);
        }
    }
    if (wipe) {
        HeldFile data(path, HeldFile::kForWriting);
        if (data.Check(folders, std::nullopt) == HeldState::Plain) WipeHeldFile(data);
    }
    DeleteFileNotThroughLink(path, folders);
}

bool EmptyTree(const std::string& folder, bool includeDesktopIni, bool wipeIndexFiles,
               platform::FolderFinalPaths& folders) {
    platform::FolderListing listing(folder);
    while (listing.Next()) {
        // A name the narrow functions cannot reach exactly would make every
        // call below act on another entry.
        if (!listing.Addressable()) continue;
        const std::string& name = listing.Name();
        if (!includeDesktopIni && SameNameIgnoringCase(name.c_str(), "desktop.ini")) continue;
        std::string path = paths::JoinPath(folder, name);
        const WIN32_FIND_DATAA& entry = listing.Entry();
        if (listing.IsFolder()) {
            if (listing.IsLink()) {
                // A junction or symbolic link: take away the link, never what
                // it points to.
                platform::RemoveFolderLink(path);
                continue;
            }
            ClearReadOnlyFolder(path, entry.dwFileAttributes);
            EmptyTree(path, includeDesktopIni, wipeIndexFiles, folders);
            platform::RemoveEmptyFolder(path, folder);
            continue;
        }
        DeleteTraceFile(path, entry, wipeIndexFiles && SameNameIgnoringCase(name.c_str(), "index.dat"), folders);
    }
    return listing.Opened();
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
    platform::FolderFinalPaths folders;
    return EmptyTree(paths::WithoutTrailingBackslash(folder), includeDesktopIni, wipeIndexFiles, folders);
}

void WipeIndexFile(std::string_view folder, std::string_view name) {
    platform::FolderFinalPaths folders;
    HeldFile file(paths::JoinPath(folder, name), HeldFile::kForWriting);
    if (file.Check(folders, std::nullopt) == HeldState::Plain) WipeHeldFile(file);
}

namespace {

// Removes what folder holds of empty folders, then folder itself when it is
// empty; anchor is the folder it is reached from.
size_t RemoveEmptyTree(const std::string& folder, std::string_view anchor) {
    size_t removed = 0;
    {
        platform::FolderListing listing(folder);
        while (listing.Next()) {
            if (listing.Addressable() && listing.IsFolder() && !listing.IsLink()) {
                removed += RemoveEmptyTree(folder + '\\' + listing.Name(), folder);
            }
        }
    }
    // Fails, as it should, while anything is left inside; never removes a
    // link put in the folder's place since it was listed.
    if (platform::RemoveEmptyFolder(folder, anchor)) ++removed;
    return removed;
}

}  // namespace

size_t RemoveEmptyFolders(const std::vector<std::string>& folders) {
    size_t removed = 0;
    for (const std::string& folder : folders) {
        if (NamesWholeDrive(folder)) continue;
        const DWORD attributes = platform::AttributesOf(folder);
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            continue;
        }
        const std::string top = paths::WithoutTrailingBackslash(folder);
        removed += RemoveEmptyTree(top, paths::FolderPart(top));
    }
    return removed;
}

}  // namespace clean
