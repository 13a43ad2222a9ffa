#pragma once
// Free space of the fixed drives before and after cleaning, and byte counts
// as the finish page shows them.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/drives.h"
#include "text/size_text.h"

namespace pages {

struct SpaceCounts {
    uint64_t before = 0;
    uint64_t after = 0;
};

// Drive root ("C:\") to its counts, in drive-letter order.
using DriveSpace = std::map<std::string, SpaceCounts>;

// Free bytes of a drive, or nothing when the query fails.
using FreeSpaceQuery = std::optional<uint64_t> (*)(const std::string& root);

enum class Measurement { Before, After };

// Measures every listed drive into the table, creating entries for new
// drives. A drive whose query fails keeps the count it had (0 when new).
void MeasureFreeSpace(DriveSpace& table, Measurement which, const std::vector<std::string>& roots,
                      FreeSpaceQuery query = platform::FreeSpaceOf);

using text::FormatSize;

}  // namespace pages
