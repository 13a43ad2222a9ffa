#pragma once
// File operations the clean phases are built from. All of them are silent:
// a failure leaves the file or folder as it was.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/guarded_folder.h"
#include "platform/held_file.h"

namespace clean {

// Deletes the file at path, never through a link: a link the platform opens
// as itself is removed as a link, one it can only open through to its target
// stays. Read-only, hidden and system files are deleted too. Returns whether
// the file is gone.
bool DeleteFileNotThroughLink(const std::string& path, platform::FolderFinalPaths& folders);

// True when the file at path is a link, or is reached through one.
bool IsFileLink(const std::string& path, platform::FolderFinalPaths& folders);

// The folders a phase writes into, made where they are missing and checked
// from the anchor down (empty: from the drive's root) so that no folder on
// the way is a link. The last one stays held, so that a phase walking many
// files of one folder asks the file system once per folder.
class FolderKeeper {
public:
    explicit FolderKeeper(std::string anchor = {}) : anchor_(std::move(anchor)) {}
    // The folder path without a trailing backslash; check Valid().
    const platform::GuardedFolder& Ensure(const std::string& folder);
    // Forgets the held folder (after a write into it failed, say).
    void Forget() { last_.clear(); }

private:
    std::string anchor_;
    std::string last_;
    platform::GuardedFolder held_;
};

// The first path in the folder that names no existing entry: folder\name,
// else folder\name_0, folder\name_1, ... An existing file is never chosen.
std::string UniqueTargetPath(std::string_view folder, std::string_view name);

// Removes every folder between the given files and root that is empty now,
// deepest first, each reached by its own path below root. root itself stays.
void RemoveEmptiedFolders(const std::string& root, const std::vector<std::string>& files);

// True when the path names an existing file or folder. A name that cannot be
// examined counts as free: the copy into it refuses to replace anything.
bool PathTaken(const std::string& path);

}  // namespace clean
