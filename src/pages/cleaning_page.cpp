#include "pages/cleaning_page.h"

#include <commctrl.h>

#include <limits>

#include "pages/page_messages.h"
#include "pages/report_rows.h"

namespace pages {

namespace {

constexpr ui::LayoutRule kLayout[] = {
    {IDC_PG_PAGE_HEADER, ui::kAnchorTopWide},
    {IDC_PG_PAGE_INFO, ui::kAnchorTopWide},
    {IDC_PG_STATUS, ui::kAnchorTopWide},
    {IDC_PG_PROGRESS, ui::kAnchorTopWide},
};

// The clean job's calls, from its thread to the page's controls.
class CleanWindowSink : public JobWindowSink<clean::CleanSink> {
public:
    CleanWindowSink(const JobWindows& windows, HWND progress) : JobWindowSink(windows), progress_(progress) {}

    void SetPosition(int position) override {
        ::SendMessageA(progress_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }
    // The report's rows are read on the user-interface thread, by the page.
    clean::CleanList CollectTickedFiles() override {
        clean::CleanList list;
        ::SendMessageA(Windows().page, WM_CLEANPAGE_COLLECT, 0, reinterpret_cast<LPARAM>(&list));
        return list;
    }
    void SetRange(uint32_t count) override {
        // The 32-bit range message: a 16-bit range would wrap at 65,536 files.
        auto upper = static_cast<LPARAM>(std::min<uint32_t>(count, std::numeric_limits<int>::max()));
        ::SendMessageA(progress_, PBM_SETRANGE32, 0, upper);
    }
    uint32_t RangeUpper() override {
        auto upper = ::SendMessageA(progress_, PBM_GETRANGE, FALSE, 0);
        return upper < 0 ? 0 : static_cast<uint32_t>(upper);
    }
    // The finish page keeps a copy of the result before it is shown.
    void ReportResult(clean::CleanResult& result) override {
        if (HWND finish = GetWizardPage(Windows().page, kFinishPage)) {
            ::SendMessageA(finish, WM_FINISHPAGE_RESULT, 0, reinterpret_cast<LPARAM>(&result));
        }
    }
    void ShowFinishPage() override { ShowWizardPage(kFinishPage); }

private:
    const HWND progress_;
};

void RunCleanJob(clean::CleanSink& sink, platform::JobControl& control) { clean::RunClean(sink, control); }
void RunPreviewJob(clean::CleanSink& sink, platform::JobControl& control) {
    clean::RunClean(sink, control, platform::kHumanPaceMs, clean::CleanKind::Preview);
}

constexpr JobPageRoute<clean::CleanSink> kRoute = {WM_CLEANPAGE_START, "_Pleasewaitwhilecleandisks", kFinishPage,
                                                   kCleanSummaryPage, RunCleanJob};
// A preview run's clean only writes the log of what it would do.
constexpr JobPageRoute<clean::CleanSink> kPreviewRoute = {WM_CLEANPAGE_START, "_Pleasewaitwhilecleandisks",
                                                          kFinishPage, kCleanSummaryPage, RunPreviewJob};

}  // namespace

CleaningPage::CleaningPage(RunMode mode)
    : JobPage(mode == RunMode::Preview ? kPreviewRoute : kRoute, kCleaningPage, mode) {}

bool CleaningPage::OnInit() {
    InitJobPage(kLayout, [&](const JobWindows& windows) {
        return std::make_unique<CleanWindowSink>(windows, Item(IDC_PG_PROGRESS));
    });
    return true;
}

bool CleaningPage::OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_CLEANPAGE_COLLECT) return JobPage::OnPageMessage(message, wParam, lParam, result);
    if (lParam) *reinterpret_cast<clean::CleanList*>(lParam) = CollectTakenFiles(ReportRowsBeside(Hwnd()));
    return true;
}

}  // namespace pages
