#pragma once
// The shell's file operation and recycle bin, in the narrow forms. Both are
// silent about failures: what could not be done stays as it was.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace platform {

// Deletes a file, or a folder with everything in it, with the given FOF_
// flags (FOF_ALLOWUNDO sends it to the recycle bin where the bin takes it).
void ShellDelete(const std::string& path, FILEOP_FLAGS flags);

// Empties the recycle bins of every drive without asking, showing or
// sounding anything.
void EmptyRecycleBin();

}  // namespace platform
