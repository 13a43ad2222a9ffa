#include "app/welcome_page.h"

#include "app/app_resources.h"
#include "config/settings.h"
#include "text/language_table.h"

namespace app {

int ShowWelcomeCheckState(int storedValue) { return (storedValue >= 0 && storedValue <= 2) ? storedValue : 0; }

bool WelcomePage::OnInit() {
    text::TranslateWindow(Hwnd());
    startIcon_ = ui::LoadResourceIcon(IDI_START_WORK);
    ui::ButtonLook look;
    look.icon = startIcon_.Get();
    look.hyperlink = true;
    look.text = RGB(0, 0, 255);
    look.textHover = RGB(255, 0, 0);
    startButton_.Attach(Item(IDC_START_WORK), look);
    title_.Attach(Item(IDC_WELCOME_TITLE), FW_HEAVY, RGB(180, 70, 0), true);
    int state = ShowWelcomeCheckState(config::LoadShowWelcome(config::ValueSet::Custom));
    ::SendMessageA(Item(IDC_SHOW_WELCOME), BM_SETCHECK, static_cast<WPARAM>(state), 0);
    return false;
}

bool WelcomePage::OnCommand(int id, int code, HWND control) {
    if (id == IDC_START_WORK) {
        ShowPage(pages::kDriveSelectionPage);
        return true;
    }
    return pages::WizardPage::OnCommand(id, code, control);
}

void WelcomePage::OnActivated() { EnableButtons(pages::kEnableNext); }

void WelcomePage::OnNext() { ShowPage(pages::kDriveSelectionPage); }

void WelcomePage::OnDestroy() {
    LRESULT state = ::SendMessageA(Item(IDC_SHOW_WELCOME), BM_GETCHECK, 0, 0);
    config::SaveShowWelcome(state == BST_UNCHECKED ? 0 : 1);
}

}  // namespace app
