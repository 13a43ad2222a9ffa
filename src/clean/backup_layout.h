#pragma once
// Where backup sets live and where a file goes inside one. The rescue center
// reads the same layout: <root>\<yyyy-mm-dd_hh-mm-ss>\<drive letter>\<rest>.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace clean {

// ModuleDirectory + "\Data\ToolJunkSweep\Backup\" (with the trailing backslash).
std::string BackupRoot();

// "2006-12-07_14-05-09" for the given local time.
std::string BackupSetName(const SYSTEMTIME& localTime);

// Makes a new set folder below BackupRoot, named after the current local
// time or, when a set of that name exists already, after the first later
// second whose set does not, and whose name no clean's log has: a clean
// never writes into a set that another clean made, and its log takes the
// set's name. Returns the folder's path without a trailing backslash, or
// nothing when no set can be made (a program folder nobody may write to).
std::optional<std::string> ReserveBackupSet();

// The place of a file inside a set: set folder + "\" + drive letter + the
// rest of the path, doubled backslashes made single. Empty when the path has
// no drive letter (its second character is not ":").
std::string BackupPathFor(std::string_view setFolder, std::string_view filePath);

}  // namespace clean
