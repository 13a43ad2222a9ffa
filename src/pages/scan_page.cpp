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

// The scan job's calls, from its thread to the page's controls.
class ScanWindowSink : public JobWindowSink<scan::ScanSink> {
public:
    ScanWindowSink(const JobWindows& windows, HWND count) : JobWindowSink(windows), count_(count) {}

    void SetCountText(const std::string& text) override {
        ::SendMessageA(count_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void FillReport(std::vector<scan::FoundFile>& findings) override {
        auto report = reinterpret_cast<HWND>(::SendMessageA(Windows().host, WM_PAGEHOST_GETPAGE, kReportPage, 0));
        if (report) ::SendMessageA(report, WM_REPORTPAGE_FILL, 0, reinterpret_cast<LPARAM>(&findings));
    }
    void ShowReportPage() override { ShowWizardPage(kReportPage); }

private:
    const HWND count_;
};

constexpr JobPageRoute<scan::ScanSink> kRoute = {WM_SCANPAGE_STARTSCAN, "_Pleasewaitwhilescanning", kReportPage,
                                                 kDriveSelectionPage, scan::RunScan};

}  // namespace

ScanPage::ScanPage(RunMode mode) : JobPage(kRoute, kScanningPage, mode) {}

bool ScanPage::OnInit() {
    InitJobPage(kLayout, [&](const JobWindows& windows) {
        return std::make_unique<ScanWindowSink>(windows, Item(IDC_PG_COUNT));
    });
    SetItemText(IDC_PG_COUNT, "");
    countLabel_.Attach(Item(IDC_PG_COUNT), FW_HEAVY, RGB(255, 0, 0));
    return true;
}

}  // namespace pages
