#include "pages/cleaning_page.h"

#include <commctrl.h>

#include <limits>

#include "pages/job_drain.h"
#include "pages/page_messages.h"
#include "pages/report_rows.h"
#include "pages/resource_ids.h"
#include "text/language_table.h"
#include "ui/shell_actions.h"

namespace pages {

namespace {

constexpr ui::LayoutRule kLayout[] = {
    {IDC_PG_PAGE_HEADER, ui::kAnchorTopWide},
    {IDC_PG_PAGE_INFO, ui::kAnchorTopWide},
    {IDC_PG_STATUS, ui::kAnchorTopWide},
    {IDC_PG_PROGRESS, ui::kAnchorTopWide},
};

}  // namespace

CleaningPage::CleaningPage() : job_(std::make_unique<clean::CleanJob>()) {}

CleaningPage::~CleaningPage() {
    job_->RequestStop();
    if (Hwnd()) ::DestroyWindow(Hwnd());
    WaitWhileTalking(talking_);
    job_.reset();
}

bool CleaningPage::OnInit() {
    ui::CenterWindow(Hwnd(), ::GetParent(Hwnd()));
    text::TranslateWindow(Hwnd());
    SetItemText(IDC_PG_STATUS, "");
    header_.Attach(Item(IDC_PG_PAGE_HEADER), FW_HEAVY, RGB(0, 0, 0));
    layout_.Init(Hwnd(), kLayout);
    page_ = Hwnd();
    host_ = ui::PageHostOf(Hwnd());
    wizard_ = ui::WizardOf(Hwnd());
    status_ = Item(IDC_PG_STATUS);
    progress_ = Item(IDC_PG_PROGRESS);
    stop_ = Item(IDC_PG_STOP);
    return true;
}

void CleaningPage::OnActivated() {
    if (!Busy()) EnableButtons(ui::kEnableNext | ui::kEnableBack);
}

bool CleaningPage::OnQueryCancel() {
    if (!job_->Running()) return false;
    ui::ShowMessage(Hwnd(), "_Pleasewaitwhilecleandisks", MB_OK | MB_ICONINFORMATION);
    return true;
}

void CleaningPage::OnNext() {
    if (!Busy()) ShowPage(ui::kFinishPage);
}

void CleaningPage::OnBack() {
    if (!Busy()) ShowPage(ui::kCleanSummaryPage);
}

bool CleaningPage::OnCommand(int id, int code, HWND control) {
    if (id == IDC_PG_STOP) {
        job_->RequestStop();
        EnableItem(IDC_PG_STOP, false);
        return true;
    }
    return WizardPage::OnCommand(id, code, control);
}

void CleaningPage::OnSize(int width, int height) { layout_.Apply(width, height); }

void CleaningPage::StartClean() {
    if (Busy()) return;
    talking_ = true;
    if (!job_->Start(*this)) talking_ = false;
}

clean::CleanList CleaningPage::TakenReportRows() const {
    HWND report = GetPage(ui::kReportPage);
    if (!report) return {};
    auto list = reinterpret_cast<HWND>(::SendMessageA(report, ui::WM_REPORTPAGE_GETLIST, 0, 0));
    return CollectTakenPaths(ui::ListView(list));
}

bool CleaningPage::OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case ui::WM_CLEANPAGE_START:
            StartClean();
            result = 0;
            return true;
        case WM_CLEANPAGE_COLLECT:
            if (lParam) *reinterpret_cast<clean::CleanList*>(lParam) = TakenReportRows();
            return true;
        default:
            return WizardPage::OnPageMessage(message, wParam, lParam, result);
    }
}

void CleaningPage::SetStatus(const std::string& text) {
    ::SendMessageA(status_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void CleaningPage::SetPosition(int position) { ::SendMessageA(progress_, PBM_SETPOS, static_cast<WPARAM>(position), 0); }

void CleaningPage::EnableWizardButtons(int mask) {
    ::SendMessageA(wizard_, ui::WM_WIZARD_ENABLEBUTTONS, static_cast<WPARAM>(mask), 0);
}

void CleaningPage::EnableStop(bool enabled) { ::EnableWindow(stop_, enabled ? TRUE : FALSE); }

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
    ::SendMessageA(host_, ui::WM_PAGEHOST_SHOWPAGE, ui::kFinishPage, 0);
    talking_ = false;
}

}  // namespace pages
