#include "text/size_text.h"

#include <cstdio>

namespace text {

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

}  // namespace text
