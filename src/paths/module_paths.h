#pragma once
// Where the running program lies; its files are named after it.
#include <string>
#include <string_view>

namespace paths {

// The module path cut before its last "\" or ":"; a ":" is appended when the
// rest holds neither, so that a program at "C:x.exe" gives "C:" while one on
// a network share ("\\server\share\x.exe") keeps "\\server\share".
std::string DirectoryOfModulePath(std::string_view modulePath);
// The file name after the last "\" or ":", cut before its last ".".
std::string BaseNameOfModulePath(std::string_view modulePath);

// The running program's full path, or the path given to OverrideModulePath.
std::string ModulePath();
// Makes the program's files (settings, language file, backups) be looked
// for beside another path; an empty path restores the real one. For hosts
// such as tests and tools that stand in for the program.
void OverrideModulePath(std::string path);
std::string ModuleDirectory();
std::string ModuleBaseName();

// ModuleDirectory + "\" + ModuleBaseName + extension (extension with its dot).
std::string BesideModule(std::string_view extension);

}  // namespace paths
