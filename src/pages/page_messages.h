#pragma once
// Messages the pages send each other on top of the wizard's page protocol,
// carried out on the user-interface thread.
#include <windows.h>

#include "pages/page_protocol.h"

namespace pages {

// To the report page: lParam is a std::vector<scan::FoundFile>*; the list's
// rows are replaced by one ticked row per finding.
constexpr UINT WM_REPORTPAGE_FILL = WM_APP + 0x240;
// To a job page, posted by its job's thread after the job's last call.
constexpr UINT WM_JOBPAGE_ENDED = WM_APP + 0x241;
// To a job page (the scanning or the cleaning page): non-zero while its job
// runs or still has calls to make to the wizard.
constexpr UINT WM_JOBPAGE_BUSY = WM_APP + 0x242;
// To the cleaning page: lParam is a clean::CleanList* to fill with the paths
// of the report rows that are not unticked.
constexpr UINT WM_CLEANPAGE_COLLECT = WM_APP + 0x243;
// To the current page, by a job page whose job has ended: a page that waits
// for the jobs in an unattended run may go on now.
constexpr UINT WM_PAGE_JOBENDED = WM_APP + 0x244;
// To the report page: the result is a const std::vector<scan::FoundFile>*,
// the findings its rows stand for (each row's data is an index into it).
constexpr UINT WM_REPORTPAGE_GETROWS = WM_APP + 0x245;
// Posted by the report page to itself: its count line is due again.
constexpr UINT WM_REPORTPAGE_RECOUNT = WM_APP + 0x246;
// To the finish page, by the clean job before it shows that page: lParam is
// a clean::CleanResult*, which the page takes over (moves from).
constexpr UINT WM_FINISHPAGE_RESULT = WM_APP + 0x247;

// True while the job page at jobPage (kScanningPage or kCleaningPage) of
// page's wizard is busy; a wizard without that page has no busy job.
inline bool JobPageBusy(HWND page, int jobPage) {
    HWND job = GetWizardPage(page, jobPage);
    return job && ::SendMessageA(job, WM_JOBPAGE_BUSY, 0, 0) != 0;
}
inline bool AnyJobBusy(HWND page) { return JobPageBusy(page, kScanningPage) || JobPageBusy(page, kCleaningPage); }

}  // namespace pages
