#pragma once
// Messages the scan and clean pages send each other on top of the wizard's
// page protocol. All are sent synchronously and carried out on the
// user-interface thread.
#include <windows.h>

namespace pages {

// To the report page: lParam is a const std::vector<scan::FoundFile>*; the
// list's rows are replaced by one ticked row per finding.
constexpr UINT WM_REPORTPAGE_FILL = WM_APP + 0x240;
// To the report page, posted by itself: go on to the summary page once the
// scan job has finished talking to the wizard ("auto").
constexpr UINT WM_REPORTPAGE_AUTONEXT = WM_APP + 0x241;
// To the scanning page: non-zero while a scan job runs or still has calls
// to make to the wizard.
constexpr UINT WM_SCANPAGE_BUSY = WM_APP + 0x242;
// To the cleaning page: lParam is a clean::CleanList* to fill with the paths
// of the report rows that are not unticked.
constexpr UINT WM_CLEANPAGE_COLLECT = WM_APP + 0x243;

}  // namespace pages
