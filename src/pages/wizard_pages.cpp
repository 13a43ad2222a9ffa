#include "pages/wizard_pages.h"

#include <memory>

#include "pages/clean_summary_page.h"
#include "pages/cleaning_page.h"
#include "pages/drive_selection_page.h"
#include "pages/finish_page.h"
#include "pages/report_page.h"
#include "pages/resource_ids.h"
#include "pages/scan_page.h"

namespace pages {

std::vector<ui::PageSlot> CreateScanAndCleanPages() {
    std::vector<ui::PageSlot> slots;
    slots.push_back({std::make_unique<DriveSelectionPage>(), IDD_PG_DRIVE_SELECTION});
    slots.push_back({std::make_unique<ScanPage>(), IDD_PG_SCANNING});
    slots.push_back({std::make_unique<ReportPage>(), IDD_PG_REPORT});
    slots.push_back({std::make_unique<CleanSummaryPage>(), IDD_PG_CLEAN_SUMMARY});
    slots.push_back({std::make_unique<CleaningPage>(), IDD_PG_CLEANING});
    slots.push_back({std::make_unique<FinishPage>(), IDD_PG_FINISH});
    return slots;
}

}  // namespace pages
