#pragma once
// The thirteen usage-trace cleaners, numbered 1 to 13 in their run order.
// The same numbers order the trace switches of the settings.
#include <array>
#include <string>

#include "clean/clean_engine.h"
#include "clean/folder_tree.h"
#include "clean/guarded_folders.h"

namespace clean {

struct TraceCleaner {
    int number;
    const char* statusKey;    // language key of its status line
    const char* logName;      // its name in the clean's log (a fixed English token)
    void (*work)();
};

inline constexpr int kTraceCleanerCount = 13;

const std::array<TraceCleaner, kTraceCleanerCount>& TraceCleaners();

// Runs one cleaner: its status, position 50, its work, position 100.
// Numbers outside 1 to 13 do nothing. COM must be initialised on the
// calling thread (the browser-history cleaner needs it).
void RunTraceCleaner(int number, CleanProgress& progress);

}  // namespace clean
