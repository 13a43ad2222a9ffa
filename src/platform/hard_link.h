#pragma once
// A second name for a file.
#include <windows.h>

#include <string>

namespace platform {

// Gives the file at existing the further name newName (a full path in the
// same volume). Returns ERROR_SUCCESS or the error: ERROR_ALREADY_EXISTS
// when the name is taken.
DWORD AddHardLink(const std::string& existing, const std::string& newName);

}  // namespace platform
