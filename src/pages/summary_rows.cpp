#include "pages/summary_rows.h"

#include <string_view>

#include "text/format_template.h"
#include "text/language_table.h"

namespace pages {

const std::array<const char*, kSummaryRowCount>& SummaryRowKeys() {
    // The trace switches' names in the order of the trace cleaners' numbers.
    static constexpr std::array<const char*, kSummaryRowCount> kKeys = {
        "_EnabledBakcup",
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
    return kKeys;
}

std::vector<bool> SummarySwitches(const clean::CleanSettings& settings) {
    std::vector<bool> on{settings.backup};
    on.insert(on.end(), settings.traces.begin(), settings.traces.end());
    return on;
}

std::string DisposalModeText(const clean::CleanSettings& settings) {
    // The same priority as the order in which the clean runs its phases.
    if (settings.deleteFiles) return text::LookupText("_modtxtClean");
    if (settings.recycle) return text::LookupText("_modtxtMoveToRecycle");
    if (settings.moveToFolder) {
        return text::FormatTemplate(text::LookupText("_modtxtMoveToFolder"), {std::string_view(settings.moveTarget)});
    }
    return {};
}

}  // namespace pages
