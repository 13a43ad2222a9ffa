#include "pages/wizard_pages.h"

#include "pages/clean_summary_page.h"
#include "pages/cleaning_page.h"
#include "pages/drive_selection_page.h"
#include "pages/finish_page.h"
#include "pages/report_page.h"
#include "pages/resource_ids.h"
#include "pages/scan_page.h"

namespace pages {

std::vector<PageSlot> CreateScanAndCleanPages(Session& session, const Services& services, RunMode mode) {
    std::vector<PageSlot> slots;
    slots.push_back({MakePage<DriveSelectionPage>(services, mode), IDD_PG_DRIVE_SELECTION});
    slots.push_back({MakePage<ScanPage>(session, mode), IDD_PG_SCANNING});
    slots.push_back({MakePage<ReportPage>(session, services, mode), IDD_PG_REPORT});
    slots.push_back({MakePage<CleanSummaryPage>(session, services, mode), IDD_PG_CLEAN_SUMMARY});
    slots.push_back({MakePage<CleaningPage>(session, mode), IDD_PG_CLEANING});
    slots.push_back({MakePage<FinishPage>(session, services, mode), IDD_PG_FINISH});
    return slots;
}

}  // namespace pages
