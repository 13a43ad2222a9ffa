#pragma once
// The age rule of the backup sets: before a clean, the sets older than a
// number of days are removed, each whole or not at all, through the same
// removal as the rescue center's Delete.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "clean/clean_result.h"
#include "rescue/backup_sets.h"

namespace rescue {

// The time of a set folder named exactly as a clean names its sets
// ("2006-12-07_14-05-09", digits only, a real date and time). The rescue
// center lists looser names too, but the age rule removes nothing it could
// take for a set by mistake: a folder "2006-12-07_14-05-09 mine" stays.
std::optional<SetTime> ExactSetTime(std::string_view name);

// The sets among folders whose exact names are more than days days before
// now (both local times), oldest first.
std::vector<SetFolder> SetsOlderThan(const std::vector<SetFolder>& folders, const SYSTEMTIME& now, int days);

// Removes the sets below root older than days at now. A set folder that is
// a link or junction is no set of the program's and stays, as does what it
// points to. A set of which another program holds a file stays whole (as
// in use): removing the rest would leave half a set that restores half.
// A preview removes nothing and tells what it would remove.
std::vector<clean::AgedSetRun> RemoveAgedSets(const std::string& root, int days, const SYSTEMTIME& now,
                                              bool preview);
// The same for the program's own backup root, at the local time now.
std::vector<clean::AgedSetRun> RemoveAgedSetsNow(int days, bool preview);

}  // namespace rescue
