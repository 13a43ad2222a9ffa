#pragma once
// Page 0 of the wizard: a greeting, a start button and the choice whether
// the wizard begins here next time.
#include "pages/wizard_page.h"
#include "ui/gdi.h"
#include "ui/skinned_controls.h"

namespace app {

class WelcomePage : public pages::WizardPage {
public:
    explicit WelcomePage(pages::RunMode mode = pages::RunMode::Interactive) : WizardPage(pages::kWelcomePage, mode) {}

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnDestroy() override;
    void OnActivated() override;
    void OnNext() override;

private:
    ui::Icon startIcon_;
    ui::SkinnedButton startButton_;
    ui::SkinnedLabel title_;
};

// The check box state for a stored ShowWelcome value: 0 to 2 as they are,
// anything else as 0 (unchecked).
int ShowWelcomeCheckState(int storedValue);

}  // namespace app
