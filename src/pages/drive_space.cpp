#include "pages/drive_space.h"

#include "platform/drives.h"

namespace pages {

void MeasureFreeSpace(DriveSpace& table, Measurement which, const std::vector<std::string>& roots,
                      FreeSpaceQuery query) {
    for (const std::string& root : roots) {
        SpaceCounts& counts = table[root];
        std::optional<uint64_t> free = query(root);
        if (!free) continue;
        (which == Measurement::Before ? counts.before : counts.after) = *free;
    }
}

}  // namespace pages
