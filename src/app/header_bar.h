#pragma once
// The band across the top of the wizard: a background picture and the
// buttons Rescue, Options and Help.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/dialog.h"
#include "ui/gdi.h"
#include "ui/skinned_controls.h"

namespace app {

// Where the header bar's buttons lead; the defaults open the rescue center,
// the options dialog and the web pages. Tests replace them.
struct HeaderBarActions {
    std::function<void(HWND owner)> showRescueCenter;
    std::function<INT_PTR(HWND owner)> showOptions;  // IDOK when settings were saved
    std::function<int(HWND owner, POINT at)> trackHelpMenu;  // the chosen command or 0
    std::function<void(const std::string& address)> openAddress;

    static HeaderBarActions Defaults();
};

// The Help menu's commands and the web pages they open.
enum HelpCommand : int { kOnlineManual = 1, kHomePage = 2, kOnlineSupport = 3 };
// The address a Help command opens; empty for any other command.
std::string HelpAddress(int command);

class HeaderBar : public ui::Dialog {
public:
    explicit HeaderBar(HeaderBarActions actions = HeaderBarActions::Defaults());

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void PaintBackground(HDC dc) const;
    void ShowHelpMenu();
    void ShowOptions();

    HeaderBarActions actions_;
    ui::Bitmap background_;
    ui::Icon icons_[3];
    ui::SkinnedButton buttons_[3];
};

}  // namespace app
