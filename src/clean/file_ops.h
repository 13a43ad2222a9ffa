#pragma once
// File operations the clean phases are built from. All of them are silent:
// a failure leaves the file or folder as it was.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/held_file.h"

namespace clean {

// Runs the operation on the file at path. When it fails and the file is
// read-only, hidden or system, those bits are cleared (the attributes set to
// normal) and the operation runs once more; when it fails again, the
// attributes the file had are put back. Folders are left as they are.
template <typename Operation>
bool RunClearingBlockingAttributes(const std::string& path, Operation operation) {
    // Most operations succeed at once; the attributes are looked at only when
    // one is refused, which saves two file-system calls per file.
    if (operation()) return true;
    constexpr DWORD kBlocking = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) || !(attributes & kBlocking)) {
        return false;
    }
    if (!::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL)) return false;
    if (operation()) return true;
    ::SetFileAttributesA(path.c_str(), attributes);
    return false;
}

// Deletes the file, clearing read-only, hidden and system first where they
// stand in the way (the attributes are set to normal). When the file still
// cannot be deleted, the attributes it had are put back. Returns whether the
// file is gone.
bool ForceDeleteFile(const std::string& path);

// Deletes the file at path, never through a link: a link the platform opens
// as itself is removed as a link, one it can only open through to its target
// stays. Read-only, hidden and system files are deleted too. Returns whether
// the file is gone.
bool DeleteFileNotThroughLink(const std::string& path, platform::FolderFinalPaths& folders);

// True when the file at path is a link, or is reached through one.
bool IsFileLink(const std::string& path, platform::FolderFinalPaths& folders);

// Creates every missing folder along a path that ends in a backslash
// ("D:\a\b\" creates D:\a and D:\a\b). Creation failures are ignored.
void EnsureFolderPath(std::string_view pathEndingInBackslash);

// Remembers the last folder it made sure of, so that a phase walking many
// files of one folder asks the file system once per folder.
class FolderEnsurer {
public:
    // The folder path without a trailing backslash.
    void Ensure(const std::string& folder);
    // Forgets the remembered folder (after a copy into it failed, say).
    void Forget() { last_.clear(); }

private:
    std::string last_;
};

// The first path in the folder that names no existing entry: folder\name,
// else folder\name_0, folder\name_1, ... An existing file is never chosen.
std::string UniqueTargetPath(std::string_view folder, std::string_view name);

// Removes every folder between the given files and root that is empty now,
// deepest first. root itself stays.
void RemoveEmptiedFolders(const std::string& root, const std::vector<std::string>& files);

// True when the path names an existing file or folder. A name that cannot be
// examined counts as free: the copy into it refuses to replace anything.
bool PathTaken(const std::string& path);

}  // namespace clean
