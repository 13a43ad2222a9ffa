#include "pages/scan_page.h"

#include "pages/job_drain.h"
#include "pages/page_messages.h"
#include "pages/resource_ids.h"
#include "text/language_table.h"
#include "ui/shell_actions.h"

namespace pages {

namespace {

constexpr ui::LayoutRule kLayout[] = {
    {IDC_PG_PAGE_HEADER, ui::kAnchorTopWide},
    {IDC_PG_PAGE_INFO, ui::kAnchorTopWide},
    {IDC_PG_STATUS, ui::kAnchorTopWide},
    {IDC_PG_COUNT, ui::kAnchorTopWide},
};

}  // namespace

ScanPage::ScanPage() : job_(std::make_unique<scan::ScanJob>()) {}

ScanPage::~ScanPage() {
    // The job must not wait on windows that are about to go, nor this thread
    // on the job: stop it, let the windows go, and serve its last calls.
    job_->RequestStop();
    if (Hwnd()) ::DestroyWindow(Hwnd());
    WaitWhileTalking(talking_);
    job_.reset();
}

bool ScanPage::OnInit() {
    ui::CenterWindow(Hwnd(), ::GetParent(Hwnd()));
    text::TranslateWindow(Hwnd());
    SetItemText(IDC_PG_STATUS, "");
    SetItemText(IDC_PG_COUNT, "");
    header_.Attach(Item(IDC_PG_PAGE_HEADER), FW_HEAVY, RGB(0, 0, 0));
    countLabel_.Attach(Item(IDC_PG_COUNT), FW_HEAVY, RGB(255, 0, 0));
    layout_.Init(Hwnd(), kLayout);
    host_ = ui::PageHostOf(Hwnd());
    wizard_ = ui::WizardOf(Hwnd());
    status_ = Item(IDC_PG_STATUS);
    count_ = Item(IDC_PG_COUNT);
    stop_ = Item(IDC_PG_STOP);
    return true;
}

void ScanPage::OnActivated() {
    // A running job has disabled the buttons and enables them when it ends.
    if (!Busy()) EnableButtons(ui::kEnableNext | ui::kEnableBack);
}

bool ScanPage::OnQueryCancel() {
    if (!job_->Running()) return false;
    ui::ShowMessage(Hwnd(), "_Pleasewaitwhilescanning", MB_OK | MB_ICONINFORMATION);
    return true;
}

void ScanPage::OnNext() {
    if (!Busy()) ShowPage(ui::kReportPage);
}

void ScanPage::OnBack() {
    if (!Busy()) ShowPage(ui::kDriveSelectionPage);
}

bool ScanPage::OnCommand(int id, int code, HWND control) {
    if (id == IDC_PG_STOP) {
        job_->RequestStop();
        EnableItem(IDC_PG_STOP, false);
        return true;
    }
    return WizardPage::OnCommand(id, code, control);
}

void ScanPage::OnSize(int width, int height) { layout_.Apply(width, height); }

void ScanPage::StartScan() {
    if (Busy()) return;
    talking_ = true;
    if (!job_->Start(*this)) talking_ = false;
}

bool ScanPage::OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case ui::WM_SCANPAGE_STARTSCAN:
            StartScan();
            result = 0;
            return true;
        case WM_SCANPAGE_BUSY:
            result = Busy() ? 1 : 0;
            return true;
        default:
            return WizardPage::OnPageMessage(message, wParam, lParam, result);
    }
}

void ScanPage::EnableWizardButtons(int mask) {
    ::SendMessageA(wizard_, ui::WM_WIZARD_ENABLEBUTTONS, static_cast<WPARAM>(mask), 0);
    // The job enables Back and Next only as its very last call.
    if (mask != 0) talking_ = false;
}

void ScanPage::SetStatus(const std::string& text) {
    ::SendMessageA(status_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ScanPage::SetCountText(const std::string& text) {
    ::SendMessageA(count_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ScanPage::EnableStop(bool enabled) { ::EnableWindow(stop_, enabled ? TRUE : FALSE); }

void ScanPage::FillReport(const std::vector<scan::FoundFile>& findings) {
    auto report = reinterpret_cast<HWND>(::SendMessageA(host_, ui::WM_PAGEHOST_GETPAGE, ui::kReportPage, 0));
    if (report) ::SendMessageA(report, WM_REPORTPAGE_FILL, 0, reinterpret_cast<LPARAM>(&findings));
}

void ScanPage::ShowReportPage() {
    ::SendMessageA(host_, ui::WM_PAGEHOST_SHOWPAGE, ui::kReportPage, 0);
}

}  // namespace pages
