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

constexpr JobPageRoute kRoute = {WM_CLEANPAGE_START, "_Pleasewaitwhilecleandisks", kFinishPage,
                                 kCleanSummaryPage};

}  // namespace

CleaningPage::CleaningPage(RunMode mode) : JobPage(kRoute, kCleaningPage, mode) {}

CleaningPage::~CleaningPage() { ShutDownJob(); }

bool CleaningPage::OnInit() {
    InitJobPage(kLayout);
    page_ = Hwnd();
    progress_ = Item(IDC_PG_PROGRESS);
    return true;
}

bool CleaningPage::OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_CLEANPAGE_COLLECT) return JobPage::OnPageMessage(message, wParam, lParam, result);
    if (lParam) *reinterpret_cast<clean::CleanList*>(lParam) = CollectTakenFiles(ReportListBeside(Hwnd()));
    return true;
}

void CleaningPage::SetPosition(int position) { ::SendMessageA(progress_, PBM_SETPOS, static_cast<WPARAM>(position), 0); }

clean::CleanList CleaningPage::CollectTickedFiles() {
    clean::CleanList list;
    ::SendMessageA(page_, WM_CLEANPAGE_COLLECT, 0, reinterpret_cast<LPARAM>(&list));
    return list;
}

void CleaningPage::SetRange(uint32_t count) {
    // The 32-bit range message: a 16-bit range would wrap at 65,536 files.
    auto upper = static_cast<LPARAM>(std::min<uint32_t>(count, std::numeric_limits<int>::max()));
    ::SendMessageA(progress_, PBM_SETRANGE32, 0, upper);
}

uint32_t CleaningPage::RangeUpper() {
    auto upper = ::SendMessageA(progress_, PBM_GETRANGE, FALSE, 0);
    return upper < 0 ? 0 : static_cast<uint32_t>(upper);
}

void CleaningPage::ShowFinishPage() {
    ::SendMessageA(PageHost(), WM_PAGEHOST_SHOWPAGE, kFinishPage, 0);
    DoneTalking();
}

}  // namespace pages
