#include "pages/scan_page.h"

#include "pages/page_messages.h"
#include "pages/page_protocol.h"

namespace pages {

namespace {

constexpr ui::LayoutRule kLayout[] = {
    {IDC_PG_PAGE_HEADER, ui::kAnchorTopWide},
    {IDC_PG_PAGE_INFO, ui::kAnchorTopWide},
    {IDC_PG_STATUS, ui::kAnchorTopWide},
    {IDC_PG_COUNT, ui::kAnchorTopWide},
};

constexpr JobPageRoute kRoute = {WM_SCANPAGE_STARTSCAN, "_Pleasewaitwhilescanning", kReportPage,
                                 kDriveSelectionPage};

}  // namespace

ScanPage::ScanPage(RunMode mode) : JobPage(kRoute, kScanningPage, mode) {}

ScanPage::~ScanPage() { ShutDownJob(); }

bool ScanPage::OnInit() {
    InitJobPage(kLayout);
    SetItemText(IDC_PG_COUNT, "");
    countLabel_.Attach(Item(IDC_PG_COUNT), FW_HEAVY, RGB(255, 0, 0));
    count_ = Item(IDC_PG_COUNT);
    return true;
}

void ScanPage::EnableWizardButtons(int mask) {
    JobPage::EnableWizardButtons(mask);
    // The job enables Back and Next only as its very last call.
    if (mask != 0) DoneTalking();
}

void ScanPage::SetCountText(const std::string& text) {
    ::SendMessageA(count_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ScanPage::FillReport(const std::vector<scan::FoundFile>& findings) {
    auto report = reinterpret_cast<HWND>(::SendMessageA(PageHost(), WM_PAGEHOST_GETPAGE, kReportPage, 0));
    if (report) ::SendMessageA(report, WM_REPORTPAGE_FILL, 0, reinterpret_cast<LPARAM>(&findings));
}

void ScanPage::ShowReportPage() {
    ::SendMessageA(PageHost(), WM_PAGEHOST_SHOWPAGE, kReportPage, 0);
}

}  // namespace pages
