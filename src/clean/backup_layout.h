#pragma once
// Where backup sets live and where a file goes inside one. The rescue center
// reads the same layout: <root>\<yyyy-mm-dd_hh-mm-ss>\<drive letter>\<rest>.
#include <windows.h>

#include <string>
#include <string_view>

namespace clean {

// ModuleDirectory + "\Data\ToolJunkSweep\Backup\" (with the trailing backslash).
std::string BackupRoot();

// "2006-12-07_14-05-09" for the given local time.
std::string BackupSetName(const SYSTEMTIME& localTime);

// BackupRoot + the set name of the current local time, no trailing backslash.
// The folder is not created.
std::string NewBackupSetFolder();

// The place of a file inside a set: set folder + "\" + drive letter + the
// rest of the path, doubled backslashes made single. Empty when the path has
// no drive letter (its second character is not ":").
std::string BackupPathFor(std::string_view setFolder, std::string_view filePath);

}  // namespace clean
