#pragma once
// The last clean as its log tells it: when it ran (the log's name), how many
// files and bytes it cleaned and how many files it left (the summary line).
// The schedule page shows it, so that the user sees whether the scheduled
// cleans do their work.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "schedule/zone_time.h"

namespace schedule {

struct LastClean {
    WallTime started;            // local time, from the log's name
    uint64_t cleanedFiles = 0;
    uint64_t cleanedBytes = 0;
    uint64_t notCleanedFiles = 0;  // kept, failed and skipped
    bool stopped = false;
    bool operator==(const LastClean&) const = default;
};

// The clean a log tells of: its start from the name
// ("yyyy-mm-dd_hh-mm-ss.log"), its counts from the text's summary line.
// Nothing for a preview (it cleaned nothing), a log without a summary (cut
// short) or a name of another form.
std::optional<LastClean> ReadCleanLog(std::string_view logName, std::string_view text);

// The newest clean told by a log in the folder (with trailing backslash);
// previews and unreadable logs are passed over.
std::optional<LastClean> NewestClean(const std::string& logFolder);

}  // namespace schedule
