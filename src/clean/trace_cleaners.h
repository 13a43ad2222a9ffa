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

// Folders no cleaner ever empties (case and trailing backslashes aside):
// the Windows folder, the user's profile, documents and desktop. Without TMP
// and TEMP the platform names the profile or the Windows folder as the
// temporary folder, and a redirected Recent, NetHood, History or cache
// folder can name any of them; emptying it would destroy the user's files
// or the system.
bool IsProtectedFolder(const std::string& folder);

// Runs one cleaner: its status, position 50, its work, position 100.
// Numbers outside 1 to 13 do nothing. COM must be initialised on the
// calling thread (the browser-history cleaner needs it).
void RunTraceCleaner(int number, CleanProgress& progress);

}  // namespace clean
