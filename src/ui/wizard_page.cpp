#include "ui/wizard_page.h"

namespace ui {

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

}  // namespace ui
