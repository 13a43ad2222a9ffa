#include "pages/job_page.h"

#include "text/language_table.h"
#include "ui/shell_actions.h"

namespace pages {

void JobPage::InitJobPage(const ui::LayoutRule* layout, size_t count) {
    ui::CenterWindow(Hwnd(), ::GetParent(Hwnd()));
    text::TranslateWindow(Hwnd());
    SetItemText(IDC_PG_STATUS, "");
    header_.Attach(Item(IDC_PG_PAGE_HEADER), FW_HEAVY, RGB(0, 0, 0));
    layout_.Init(Hwnd(), layout, count);
    relay_ = std::make_unique<ProgressRelay>(Hwnd(), WM_JOBPAGE_PROGRESS);
}

void JobPage::ShowReports(const ProgressRelay::Reports& reports) {
    if (reports.status) SetItemText(IDC_PG_STATUS, reports.status->c_str());
}

void JobPage::OnActivated() {
    // A running job has disabled the buttons; the page enables them when it
    // has taken the job's result.
    if (!job_.Busy()) EnableButtons(kEnableNext | kEnableBack);
}

bool JobPage::OnQueryCancel() {
    if (!job_.Busy()) return false;
    ui::ShowMessage(Hwnd(), route_.waitKey, MB_OK | MB_ICONINFORMATION);
    return true;
}

void JobPage::OnNext() {
    if (!job_.Busy()) ShowPage(route_.nextPage);
}

void JobPage::OnBack() {
    if (!job_.Busy()) ShowPage(route_.backPage);
}

bool JobPage::OnCommand(int id, int code, HWND control) {
    if (id == IDC_PG_STOP) {
        job_.RequestStop();
        EnableItem(IDC_PG_STOP, false);
        return true;
    }
    return WizardPage::OnCommand(id, code, control);
}

bool JobPage::OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == route_.startMessage) {
        StartJob();
        result = 0;
        return true;
    }
    switch (message) {
        case WM_JOBPAGE_PROGRESS:
            if (relay_) ShowReports(relay_->Take());
            return true;
        case WM_JOBPAGE_ENDED:
            EndJob();
            return true;
        default:
            return WizardPage::OnPageMessage(message, wParam, lParam, result);
    }
}

void JobPage::StartJob() {
    if (!relay_ || job_.Busy()) return;
    relay_->Take();  // whatever the last job reported late
    HWND page = Hwnd();
    if (!job_.Start(MakeJob(*relay_), [page] { ::PostMessageA(page, WM_JOBPAGE_ENDED, 0, 0); })) return;
    EnableButtons(0);
    OnJobStarting();
    EnableItem(IDC_PG_STOP, true);
}

void JobPage::EndJob() {
    if (!job_.Busy()) return;
    job_.Join();
    ShowReports(relay_->Take());
    EnableItem(IDC_PG_STOP, false);
    EnableButtons(kEnableNext | kEnableBack);
    TakeResult();
    // Last: the next page may move on at once, and an unattended run may
    // close the wizard, this page's window with it.
    ShowPage(route_.nextPage);
}

}  // namespace pages
