#pragma once
// Plain text operations on backslash paths.
#include <string>
#include <string_view>

namespace paths {

// The part after the last "\" or ":" (the whole text when there is neither).
std::string LastComponent(std::string_view path);

// The part before the last "\" or ":" (empty when there is neither).
std::string FolderPart(std::string_view path);

// Drops one trailing backslash, so that "C:\" becomes "C:".
std::string WithoutTrailingBackslash(std::string_view path);


// True for a drive root ("C:", "C:\") or an absolute path below one
// ("C:\Temp"): the only paths that name the same place whatever the
// current folder is. "C:Temp", "Temp", "\Temp" and "" are not.
bool IsDrivePath(std::string_view path);

// folder + "\" + name, with one trailing backslash of folder dropped first.
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace paths
