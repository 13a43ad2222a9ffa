#include "pages/wizard_page.h"

#include "pages/unattended_run.h"

namespace pages {

void WizardPage::Deleter::operator()(WizardPage* page) const {
    std::unique_ptr<WizardPage> owned(page);
    if (page && page->Hwnd()) ::DestroyWindow(page->Hwnd());
}

bool WizardPage::OnPageMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool WizardPage::OnCommand(int id, int, HWND) {
    if (id == kNextButton) {
        OnNext();
        return true;
    }
    if (id == kBackButton) {
        OnBack();
        return true;
    }
    return false;
}

bool WizardPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_PAGE_ACTIVATED:
            OnActivated();
            // Only a page that is still shown after its activation goes on.
            // A page with a step of its own is never shown while a job runs:
            // the job pages move on only once their job has ended.
            if (IsUnattended(mode_) && HasUnattendedStep(index_) &&
                (::GetWindowLongA(Hwnd(), GWL_STYLE) & WS_VISIBLE)) {
                TakeUnattendedStep(Hwnd(), index_);
            }
            return true;
        case WM_PAGE_DEACTIVATED:
            OnDeactivated();
            return true;
        case WM_WIZARD_QUERYCANCEL:
            result = OnQueryCancel() ? 1 : 0;
            return true;
        case WM_WIZARD_SETTINGSCHANGED:
            OnSettingsChanged();
            return true;
        default:
            return OnPageMessage(message, wParam, lParam, result);
    }
}

}  // namespace pages
