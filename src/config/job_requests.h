#pragma once
// The requests the jobs take, read from the settings document once, when a
// job starts (the user's values): the jobs themselves never read the
// settings, and what they do no longer changes with the file.
#include "clean/clean_plan.h"
#include "config/settings.h"
#include "scan/scan_job.h"

namespace config {

// The stored selection, the checked junk types and skip folders, and the
// search switches.
scan::ScanRequest LoadScanRequest();

// The walk's switches as a set of search options gives them.
scan::SearchSwitches SearchSwitchesOf(const SearchOptions& options);

// How a clean disposes of its files, and its trace cleaners.
clean::CleanSettings LoadCleanSettings();

}  // namespace config
