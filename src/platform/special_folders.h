#pragma once
// The system's well-known folders, and the program's own file. Each is asked
// anew; none is created. An empty path means the system has none.
#include <string>

namespace platform {

// The shell's special folder of a CSIDL_ number.
std::string SpecialFolderPath(int csidl);

// The same through SHGetFolderPathA of the named library, loaded for the
// call and released afterwards: the folder is empty when the library or its
// function is missing.
std::string SpecialFolderPathFrom(const char* library, int csidl);

// The per-user folder of programs running with low rights ("LocalLow").
std::string LocalLowFolder();

std::string WindowsFolder();
std::string SystemFolder();
// With its trailing backslash, as the system gives it.
std::string TempFolder();

// The full path of the running program's file, at any length.
std::string ProgramFilePath();

}  // namespace platform
