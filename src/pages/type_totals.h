#pragma once
// Findings summed by what they were found as (a junk type's description, an
// application rule's name, or why a search switch found them): how many
// files and bytes each type holds, how many of them are ticked, largest
// first. One pass over the findings, so a report of hundreds of thousands of
// files is summed in milliseconds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "clean/clean_result.h"
#include "pages/session.h"

namespace pages {

// How the files of a type are ticked.
enum class TickState : uint8_t { None, Some, All };

struct TypeTotal {
    size_t type = 0;  // the index of its "found as" text
    uint64_t files = 0;
    uint64_t bytes = 0;
    uint64_t tickedFiles = 0;
    uint64_t tickedBytes = 0;

    TickState Ticks() const {
        return tickedFiles == 0 ? TickState::None : tickedFiles == files ? TickState::All : TickState::Some;
    }
    bool operator==(const TypeTotal&) const = default;
};

// Largest first: by bytes, then by files, then in the order the types were
// first met.
inline bool LargerType(const TypeTotal& a, const TypeTotal& b) {
    if (a.bytes != b.bytes) return a.bytes > b.bytes;
    if (a.files != b.files) return a.files > b.files;
    return a.type < b.type;
}

// The totals of every type that has findings, largest first. typeCount
// bounds the type indices; typeOf(i), sizeOf(i) and tickedOf(i) describe
// finding i of count.
template <typename TypeOf, typename SizeOf, typename TickedOf>
std::vector<TypeTotal> TotalsByType(size_t typeCount, size_t count, TypeOf typeOf, SizeOf sizeOf, TickedOf tickedOf) {
    std::vector<TypeTotal> byType(typeCount);
    for (size_t t = 0; t < typeCount; ++t) byType[t].type = t;
    for (size_t i = 0; i < count; ++i) {
        const size_t type = typeOf(i);
        if (type >= typeCount) continue;
        TypeTotal& total = byType[type];
        const uint64_t size = sizeOf(i);
        ++total.files;
        total.bytes += size;
        if (tickedOf(i)) {
            ++total.tickedFiles;
            total.tickedBytes += size;
        }
    }
    std::erase_if(byType, [](const TypeTotal& t) { return t.files == 0; });
    std::sort(byType.begin(), byType.end(), LargerType);
    return byType;
}

// The session's findings by type, with their ticks.
std::vector<TypeTotal> TotalsOf(const Session& session);

// Ticks or unticks every finding of a type (a "found as" index).
void SetTypeTicked(Session& session, size_t type, bool ticked);

// What a clean cleaned, by type: the files it cleaned and their listed
// sizes, with the "found as" text of each type, largest first.
struct CleanedType {
    std::string foundAs;
    uint64_t files = 0;
    uint64_t bytes = 0;
};
std::vector<CleanedType> CleanedByType(const clean::CleanResult& result);

}  // namespace pages
