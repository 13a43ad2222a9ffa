#include "rescue/set_removal.h"

#include <set>

#include "clean/file_ops.h"
#include "paths/path_text.h"
#include "platform/handle.h"

namespace rescue {

namespace {

// Calls visit(path, entry) for every entry of the folder but "." and "..".
template <typename Visit>
void ForEachEntry(const std::string& folder, Visit visit) {
    WIN32_FIND_DATAA entry{};
    platform::FindHandle listing(::FindFirstFileA((folder + "\\*.*").c_str(), &entry));
    if (!listing) return;
    do {
        if (!paths::IsDotEntry(entry.cFileName)) visit(folder + "\\" + entry.cFileName, entry);
    } while (::FindNextFileA(listing.Get(), &entry));
}

bool HoldsLink(const std::string& folder) {
    bool found = false;
    ForEachEntry(folder, [&](const std::string& path, const WIN32_FIND_DATAA& entry) {
        if (found) return;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            found = true;
        } else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            found = HoldsLink(path);
        }
    });
    return found;
}

// Depth first; a link is removed as a link (where the platform can) and
// never entered.
void RemoveTreeKeepingLinkTargets(const std::string& folder) {
    ForEachEntry(folder, [](const std::string& path, const WIN32_FIND_DATAA& entry) {
        const DWORD attributes = entry.dwFileAttributes;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            RemoveTreeKeepingLinkTargets(path);
        } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            ::RemoveDirectoryA(path.c_str());
        } else {
            clean::ForceDeleteFile(path);
        }
    });
    ::RemoveDirectoryA(folder.c_str());
}

bool IsBelow(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() + 1 && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '\\';
}

}  // namespace

void RemoveSetFolder(const std::string& setPath, FILEOP_FLAGS flags) {
    DWORD attributes = ::GetFileAttributesA(setPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        ::RemoveDirectoryA(setPath.c_str());
    } else if (HoldsLink(setPath)) {
        RemoveTreeKeepingLinkTargets(setPath);
    } else {
        clean::ShellDeletePath(setPath, flags);
    }
}

void RemoveEmptiedFolders(const std::string& setPath, const std::vector<std::string>& files) {
    // Deepest folders first, so that a parent is tried after its children.
    auto deeperFirst = [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() > b.size() : a < b;
    };
    std::set<std::string, decltype(deeperFirst)> folders(deeperFirst);
    for (const std::string& file : files) {
        for (std::string folder = paths::FolderPart(file); IsBelow(folder, setPath); folder = paths::FolderPart(folder)) {
            if (!folders.insert(folder).second) break;  // its parents are in already
        }
    }
    for (const std::string& folder : folders) ::RemoveDirectoryA(folder.c_str());
}

}  // namespace rescue
