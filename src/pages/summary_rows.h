#pragma once
// The switch rows of the clean summary: the backup switch, then the thirteen
// trace switches in the order the trace cleaners run.
#include <array>
#include <string>
#include <vector>

#include "clean/clean_plan.h"

namespace pages {

inline constexpr size_t kSummaryRowCount = 1 + clean::kTraceCleanerCount;

// The language keys of the fourteen rows' names, in order.
const std::array<const char*, kSummaryRowCount>& SummaryRowKeys();

// Whether each row's switch is on in the settings, in the rows' order.
std::vector<bool> SummarySwitches(const clean::CleanSettings& settings);

// The disposal mode line: the text of the first disposal switch that is on
// (delete, recycle, move), or empty when none is.
std::string DisposalModeText(const clean::CleanSettings& settings);

}  // namespace pages
