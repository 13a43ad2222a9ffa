#pragma once
// What one clean did: every file of its list with what became of it, the
// trace cleaners it ran, and the counts the finish page and the log show.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "clean/clean_engine.h"

namespace clean {

// The kinds a file's outcome falls into. Skipped: no phase disposed of it
// because the clean stopped first or no way of disposing was switched on.
// Planned: a preview, which touches nothing.
// (CleanCounts holds one tally per kind, in this order.)
enum class ResultKind : uint8_t { Cleaned, Kept, Failed, Skipped, Planned };

// How a file's outcome reads: fixed English tokens for the log (read by
// scheduled tasks and management tools) and the language key of the reason
// the user sees. The reason is empty (and the key null) for a cleaned or
// planned file.
struct ResultText {
    ResultKind kind;
    const char* resultToken;
    const char* reasonToken;
    const char* reasonKey;
};

struct TraceRun {
    int number;  // 1 to 13
    bool ran;    // false when the clean stopped before it, and in a preview
};

// A backup set the age rule took away before the clean, or would have (a
// preview), or could not.
enum class AgedSetResult : uint8_t { Removed, InUse, Failed, Planned };
struct AgedSetRun {
    std::string name;  // the set folder's name
    uint64_t bytes = 0;
    AgedSetResult result = AgedSetResult::Removed;
    bool operator==(const AgedSetRun&) const = default;
};

struct CleanResult {
    std::vector<AgedSetRun> agedSets;  // in the order they were taken away
    CleanList files;
    CleanOutcomes outcomes;        // one per file, in list order
    std::vector<TraceRun> traces;  // the switched-on trace cleaners, in order
    std::string action;            // what the clean does to a file: "backup+delete", "recycle", "none", ...
    bool preview = false;
    bool stopped = false;
    // The clean's log could not be opened, so nothing was disposed of and no
    // trace cleaner ran.
    bool logRefused = false;
    std::string logPath;  // empty when no log could be written
};

ResultText TextOf(const CleanResult& result, size_t file);

// The size the scan listed the file with; 0 when it was not listed.
uint64_t ListedSize(const CleanItem& item);

struct Tally {
    uint64_t files = 0;
    uint64_t bytes = 0;

    void Add(uint64_t size) {
        ++files;
        bytes += size;
    }
    Tally& operator+=(const Tally& other) {
        files += other.files;
        bytes += other.bytes;
        return *this;
    }
    bool operator==(const Tally&) const = default;
};

struct CleanCounts {
    Tally cleaned, kept, failed, skipped, planned;
    int tracesRun = 0;
    int tracesSkipped = 0;

    // Every file that is still where it was (kept, failed or skipped).
    Tally NotCleaned() const {
        Tally all = kept;
        all += failed;
        all += skipped;
        return all;
    }
};

CleanCounts CountResult(const CleanResult& result);

// The indices of the files that were not cleaned, in list order (none for a
// preview).
std::vector<size_t> NotCleanedFiles(const CleanResult& result);

}  // namespace clean
