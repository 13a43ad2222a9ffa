#pragma once
// The requests the jobs take, read from the settings document once, when a
// job starts (the user's values): the jobs themselves never read the
// settings, and what they do no longer changes with the file.
#include "clean/clean_plan.h"
#include "config/settings.h"
#include "scan/scan_job.h"

namespace config {

// The stored selection, the checked junk types and skip folders, the
// search switches, and the ticked application rules (from the rule files
// beside the program) with the system's folders they start from.
scan::ScanRequest LoadScanRequest();

// The walk's switches as a set of search options gives them.
scan::SearchSwitches SearchSwitchesOf(const SearchOptions& options);

// How a clean disposes of its files, and its trace cleaners.
clean::CleanSettings LoadCleanSettings();

}  // namespace config
