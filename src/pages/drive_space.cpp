#include "pages/drive_space.h"

#include <windows.h>

#include <cstdio>

namespace pages {

namespace {

struct SizeUnit {
    uint64_t threshold;  // smallest count shown in this unit
    double scale;        // 2^-10, 2^-20, 2^-30
    const char* name;
};

// Largest unit first; counts below 1024 are shown as whole bytes.
constexpr SizeUnit kUnits[] = {
    {1ull << 30, 1.0 / (1ull << 30), "GB"},
    {1ull << 20, 1.0 / (1ull << 20), "MB"},
    {1ull << 10, 1.0 / (1ull << 10), "KB"},
};

}  // namespace

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

std::string FormatSize(uint64_t bytes) {
    char number[64];
    const char* unit = "Bytes";
    std::snprintf(number, sizeof number, "%ld", static_cast<long>(static_cast<uint32_t>(bytes)));
    for (const SizeUnit& candidate : kUnits) {
        if (bytes >= candidate.threshold) {
            std::snprintf(number, sizeof number, "%.2lf", static_cast<double>(bytes) * candidate.scale);
            unit = candidate.name;
            break;
        }
    }
    return std::string(number) + " " + unit;
}

}  // namespace pages
