#pragma once
// The thirteen usage-trace cleaners, numbered 1 to 13 in their run order.
// The same numbers order the trace switches of the settings.
#include <array>
#include <string>

#include "clean/clean_engine.h"
#include "clean/folder_tree.h"

namespace clean {

struct TraceCleaner {
    int number;
    const char* settingPath;  // its switch in the settings document
    const char* statusKey;    // language key of its status line
    void (*work)();
};

inline constexpr int kTraceCleanerCount = 13;

const std::array<TraceCleaner, kTraceCleanerCount>& TraceCleaners();

// Without TMP and TEMP the platform names the user's profile or the Windows
// directory as the temporary folder; emptying either would destroy the
// user's files or the system, so the temporary-folder cleaner leaves a
// folder alone for which this is true (case and trailing backslashes aside).
bool IsProfileOrWindowsFolder(const std::string& folder);

// Runs one cleaner: its status, position 50, its work, position 100.
// Numbers outside 1 to 13 do nothing. COM must be initialised on the
// calling thread (the browser-history cleaner needs it).
void RunTraceCleaner(int number, CleanProgress& progress);

}  // namespace clean
