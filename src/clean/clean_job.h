#pragma once
// The clean job: takes a plan fixed when the clean starts (the files to
// clean and what the settings said of the clean then), runs the file phases
// the plan switches on, then its trace cleaners, writes the clean's log,
// reports its progress and hands back what it did. It never reads the
// settings itself and knows nothing of who shows its progress.
#include <cstdint>
#include <functional>
#include <vector>

#include "clean/clean_plan.h"
#include "clean/clean_result.h"
#include "platform/job_control.h"
#include "platform/paced.h"

namespace clean {

// The clean itself, on whatever thread runs it: the file phases in their
// order (backup, delete, recycle, move), then the trace cleaners, then the
// log (clean_log.h). Reports the status of every phase, the file it works
// on as the position (of a range of the list's size), and its last status.
// A stop request ends the running phase before its next file and skips what
// has not begun. The owner hears of positions at most every paceMs (0: of
// every file), and always of the last position of every phase.
//
// Before all that, when the plan says so, removeAgedSets takes away the
// backup sets older than the plan's days (the rescue center's removal: the
// sets are the rescue center's, so the caller gives it), or in a preview
// says which it would; the log lists them.
using AgedSetRemoval = std::function<std::vector<AgedSetRun>(int days, bool preview)>;
CleanResult RunClean(CleanPlan plan, platform::JobProgress& progress, const StopFlag& stop,
                     uint64_t paceMs = platform::kHumanPaceMs, const AgedSetRemoval& removeAgedSets = {});

}  // namespace clean
