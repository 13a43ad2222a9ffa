#pragma once
// Removing folders, never what a link leads to.
#include <string>
#include <string_view>

namespace platform {

// Removes the folder when it is empty and reached by its own path below
// anchor (empty: from its drive's root), through a handle to the very
// folder checked. A link or junction in its place, or on the way, stays,
// and so does what it leads to. Returns whether the folder is gone.
bool RemoveEmptyFolder(const std::string& path, std::string_view anchor = {});

// Removes a junction or symbolic link to a folder that a listing showed
// (reparse attribute), as a link: never the folder it leads to nor
// anything in it.
bool RemoveFolderLink(const std::string& path);

}  // namespace platform
