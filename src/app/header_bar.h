#pragma once
// The band across the top of the wizard: a background picture and the
// buttons Rescue, Options and Help.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "pages/services.h"
#include "ui/dialog.h"
#include "ui/gdi.h"
#include "ui/skinned_controls.h"

namespace app {

// The Help menu's commands and the web pages they open.
enum HelpCommand : int { kOnlineManual = 1, kHomePage = 2, kOnlineSupport = 3 };
// The address a Help command opens; empty for any other command.
std::string HelpAddress(int command);

class HeaderBar : public ui::Dialog {
public:
    // The buttons lead to the services' rescue center, options dialog, help
    // menu and web pages.
    explicit HeaderBar(pages::Services services) : services_(std::move(services)) {}

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void PaintBackground(HDC dc) const;
    void ShowHelpMenu();
    void ShowOptions();

    pages::Services services_;
    ui::Bitmap background_;
    ui::Icon icons_[3];
    ui::SkinnedButton buttons_[3];
};

}  // namespace app
