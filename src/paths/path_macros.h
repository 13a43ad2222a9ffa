#pragma once
// Well-known folders named by macro ("%ModulePath%\Skins"), so that one skin
// settings file works on every machine.
#include <string>
#include <string_view>
#include <vector>

namespace paths {

struct PathMacro {
    std::string name;    // with its percent signs, e.g. "%ModulePath%"
    std::string folder;  // without a trailing backslash
};

// The nine macros with the folders of the running system, in the order they
// are applied (byte order of their names). Macros whose folder cannot be
// determined are left out. The shell folders come from SHGetFolderPathA of
// shellFolderLibrary, loaded for each folder and released afterwards.
std::vector<PathMacro> CurrentPathMacros(const char* shellFolderLibrary = "shfolder.dll");

// Replaces the first occurrence of each macro, ignoring case, in the order of
// the list; later macros are looked for in the text as earlier ones left it.
std::string ExpandPathMacros(std::string_view text, const std::vector<PathMacro>& macros);

// The same with the folders of the running system, determined anew.
std::string ExpandPathMacros(std::string_view text);

}  // namespace paths
