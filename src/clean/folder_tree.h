#pragma once
// Emptying the folders in which the system keeps usage traces.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace clean {

// Deletes the content of a folder tree, the folder itself stays. Read-only
// entries are made writable first; subfolders are emptied and removed (a
// subfolder that keeps something stays). With includeDesktopIni off, every
// "desktop.ini" is left alone; with wipeIndexFiles on, every "index.dat" is
// zeroed after its first 64 bytes before it is deleted. A folder that is a
// junction or symbolic link is removed as a link and never entered, so the
// folder it points to keeps its content. Returns false when the folder
// cannot be listed, and also, without touching anything, when the path is
// empty or names a whole drive ("C:", "C:\\").
bool EmptyFolderTree(std::string_view folder, bool includeDesktopIni, bool wipeIndexFiles);

// Removes each folder, and every folder below it, that holds nothing (any
// more), deepest first: a folder that keeps a file stays, and so do the
// folders above it. A junction or symbolic link is neither entered nor
// removed; a path naming a whole drive is passed over. Returns how many
// folders were removed.
size_t RemoveEmptyFolders(const std::vector<std::string>& folders);

// True for "", "C:" and "C:\\" (with any number of trailing backslashes).
bool NamesWholeDrive(std::string_view folder);

// Overwrites folder\name with zeros from byte 64 to its end (files of 64
// bytes or less are not written). Silent when the file cannot be opened.
void WipeIndexFile(std::string_view folder, std::string_view name);

}  // namespace clean
