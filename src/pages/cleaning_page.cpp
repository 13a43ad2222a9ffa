#include "pages/cleaning_page.h"

#include <commctrl.h>

#include <limits>

#include "config/job_requests.h"
#include "rescue/aged_sets.h"

namespace pages {

namespace {

constexpr ui::LayoutRule kLayout[] = {
    {IDC_PG_PAGE_HEADER, ui::kAnchorTopWide},
    {IDC_PG_PAGE_INFO, ui::kAnchorTopWide},
    {IDC_PG_STATUS, ui::kAnchorTopWide},
    {IDC_PG_PROGRESS, ui::kAnchorTopWide},
};

constexpr JobPage::Route kRoute = {WM_CLEANPAGE_START, "_Pleasewaitwhilecleandisks", kFinishPage,
                                   kCleanSummaryPage};

}  // namespace

CleaningPage::CleaningPage(Session& session, RunMode mode, CleanJob clean)
    : JobPage(session, kRoute, kCleaningPage, mode), clean_(std::move(clean)) {}

clean::CleanResult CleaningPage::RunRealClean(clean::CleanPlan plan, platform::JobProgress& progress,
                                              const platform::StopFlag& stop) {
    return clean::RunClean(std::move(plan), progress, stop, platform::kHumanPaceMs, rescue::RemoveAgedSetsNow);
}

bool CleaningPage::OnInit() {
    InitJobPage(kLayout);
    return true;
}

ui::WorkerJob::Work CleaningPage::MakeJob(platform::JobProgress& progress) {
    result_.reset();
    clean::CleanPlan plan;
    plan.files = session_.TakenFiles();
    plan.settings = config::LoadCleanSettings();
    plan.kind = Mode() == RunMode::Preview ? clean::CleanKind::Preview : clean::CleanKind::Real;
    plan.foldersToRemove = session_.FoldersToRemove();
    // The plan is the job's own: nothing the user changes meanwhile changes
    // what the clean does.
    return [this, &progress, plan = std::move(plan)](const platform::StopFlag& stop) mutable {
        result_ = clean_(std::move(plan), progress, stop);
    };
}

void CleaningPage::ShowReports(const ProgressRelay::Reports& reports) {
    JobPage::ShowReports(reports);
    HWND bar = Item(IDC_PG_PROGRESS);
    if (reports.range) {
        // The 32-bit range message: a 16-bit range would wrap at 65,536 files.
        auto upper = static_cast<LPARAM>(std::min<uint32_t>(*reports.range, std::numeric_limits<int>::max()));
        ::SendMessageA(bar, PBM_SETRANGE32, 0, upper);
    }
    if (reports.position) ::SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(*reports.position), 0);
}

void CleaningPage::TakeResult() {
    if (!result_) {
        // A job that failed outright: the finish page must not show an
        // earlier clean as this one.
        result_.emplace();
        result_->stopped = true;
        result_->action = "none";
    }
    session_.SetLastClean(std::move(*result_));
    result_.reset();
}

}  // namespace pages
