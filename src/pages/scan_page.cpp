#include "pages/scan_page.h"

#include "config/job_requests.h"
#include "text/format_template.h"
#include "text/language_table.h"

namespace pages {

namespace {

constexpr ui::LayoutRule kLayout[] = {
    {IDC_PG_PAGE_HEADER, ui::kAnchorTopWide},
    {IDC_PG_PAGE_INFO, ui::kAnchorTopWide},
    {IDC_PG_STATUS, ui::kAnchorTopWide},
    {IDC_PG_COUNT, ui::kAnchorTopWide},
};

constexpr JobPage::Route kRoute = {WM_SCANPAGE_STARTSCAN, "_Pleasewaitwhilescanning", kReportPage,
                                   kDriveSelectionPage};

}  // namespace

ScanPage::ScanPage(Session& session, RunMode mode, ScanJob scan)
    : JobPage(session, kRoute, kScanningPage, mode), scan_(std::move(scan)) {}

bool ScanPage::OnInit() {
    InitJobPage(kLayout);
    SetItemText(IDC_PG_COUNT, "");
    countLabel_.Attach(Item(IDC_PG_COUNT), FW_HEAVY, RGB(255, 0, 0));
    return true;
}

ui::WorkerJob::Work ScanPage::MakeJob(platform::JobProgress& progress) {
    result_.reset();
    return [this, &progress, request = config::LoadScanRequest()](const platform::StopFlag& stop) {
        result_ = scan_(request, progress, stop);
    };
}

void ScanPage::OnJobStarting() { SetItemText(IDC_PG_COUNT, ""); }

void ScanPage::ShowReports(const ProgressRelay::Reports& reports) {
    JobPage::ShowReports(reports);
    if (reports.count) {
        SetItemText(IDC_PG_COUNT,
                    text::FormatTemplate(text::LookupText("_FindFileCntTxtFormat"), {*reports.count}).c_str());
    }
}

void ScanPage::TakeResult() {
    // A job that failed before it found anything leaves an empty report.
    if (result_) {
        session_.SetFindings(std::move(result_->findings), std::move(result_->foldersToRemove));
    } else {
        session_.SetFindings(scan::Findings());
    }
    result_.reset();
}

}  // namespace pages
