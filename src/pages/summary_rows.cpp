#include "pages/summary_rows.h"

#include <string_view>

#include "config/settings.h"
#include "text/format_template.h"
#include "text/language_table.h"

namespace pages {

namespace {

// Names of the trace switches, in the order of config::path::kAdvClean.
constexpr std::array<const char*, config::path::kAdvClean.size()> kTraceKeys = {
    "_adCleanClipBoard",
    "_adCleanRas",
    "_adCleanSysTempDir",
    "_adCleanRecycleBin",
    "_adCleanRunHistory",
    "_adCleanDocHistory",
    "_adCleanWinlogon",
    "_adCleanFindFileForderHistory",
    "_adCleanSearchComputerHistory",
    "_adCleanNetHoodHistory",
    "_adCleanTelnetHistory",
    "_adCleanInternetUrlHistory",
    "_adCleanInternetTempFiles",
};

std::array<SummaryRow, kSummaryRowCount> BuildRows() {
    std::array<SummaryRow, kSummaryRowCount> rows{};
    rows[0] = {"_EnabledBakcup", config::path::kBackup};
    for (size_t i = 0; i < kTraceKeys.size(); ++i) rows[i + 1] = {kTraceKeys[i], config::path::kAdvClean[i]};
    return rows;
}

bool On(const char* settingPath) { return config::ReadFlag(settingPath, config::ValueSet::Custom) != 0; }

}  // namespace

const std::array<SummaryRow, kSummaryRowCount>& SummaryRows() {
    static const std::array<SummaryRow, kSummaryRowCount> rows = BuildRows();
    return rows;
}

std::vector<bool> ReadSummarySwitches() {
    std::vector<bool> on;
    for (const SummaryRow& row : SummaryRows()) on.push_back(On(row.settingPath));
    return on;
}

std::string DisposalModeText() {
    namespace path = config::path;
    // The same priority as the order in which the clean runs its phases.
    if (On(path::kClean)) return text::LookupText("_modtxtClean");
    if (On(path::kMoveToRecycle)) return text::LookupText("_modtxtMoveToRecycle");
    if (On(path::kMoveToFolder)) {
        std::string folder = config::ReadText(path::kMoveToFolderPath, config::ValueSet::Custom);
        return text::FormatTemplate(text::LookupText("_modtxtMoveToFolder"), {std::string_view(folder)});
    }
    return {};
}

}  // namespace pages
