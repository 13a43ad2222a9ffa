#include "pages/drive_space.h"

#include <windows.h>

namespace pages {

std::optional<uint64_t> QueryFreeSpace(const std::string& root) {
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!::GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters)) {
        return std::nullopt;
    }
    return static_cast<uint64_t>(sectorsPerCluster) * bytesPerSector * freeClusters;
}

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
