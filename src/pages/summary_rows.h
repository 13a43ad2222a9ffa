#pragma once
// The switch rows of the clean summary: the backup switch, then the thirteen
// trace switches in the order the trace cleaners run.
#include <array>
#include <string>
#include <vector>

#include "config/settings_paths.h"

namespace pages {

struct SummaryRow {
    const char* key;          // language key of the row's name
    const char* settingPath;  // the switch in the settings document
};

inline constexpr size_t kSummaryRowCount = 1 + config::path::kAdvClean.size();

// The fourteen rows, in order.
const std::array<SummaryRow, kSummaryRowCount>& SummaryRows();

// Row state read from the settings (Custom values), afresh on every call.
std::vector<bool> ReadSummarySwitches();

// The disposal mode line: the text of the first disposal switch that is on
// (delete, recycle, move), or empty when none is.
std::string DisposalModeText();

}  // namespace pages
