#pragma once
// What a clean is to do, fixed when it starts: the files, how they go, and
// the trace cleaners to run.
#include <array>
#include <string>
#include <vector>

#include "clean/clean_engine.h"
#include "clean/trace_cleaners.h"

namespace clean {

// How a clean disposes of its files and which trace cleaners it runs.
struct CleanSettings {
    bool backup = false;
    bool deleteFiles = false;
    bool recycle = false;
    bool moveToFolder = false;
    std::string moveTarget;
    std::array<bool, kTraceCleanerCount> traces{};  // by trace cleaner number - 1
    // Before the clean, backup sets older than this many days are removed;
    // 0 keeps every set.
    int removeSetsOlderThanDays = 0;
};

// A real clean, or a preview: the same list and settings, but no file is
// touched and no trace cleaner runs; only the log says what would be done.
enum class CleanKind { Real, Preview };

struct CleanPlan {
    CleanList files;  // in the order the user saw them
    CleanSettings settings;
    CleanKind kind = CleanKind::Real;
    // Folders a real clean that ran to its end removes where it left them
    // empty (those of application rules that remove their own folders).
    std::vector<std::string> foldersToRemove;
};

}  // namespace clean
