#pragma once
// The program's one top-level window: a header bar, a page area showing one
// of the seven wizard pages, and the buttons Back, Next and Cancel. It
// passes Back and Next to the current page, lets pages switch pages, set the
// buttons and rename Cancel, and asks every page before it closes. It owns
// the session the pages share.
#include <functional>
#include <vector>

#include "app/header_bar.h"
#include "app/page_host.h"
#include "app/tray_icon.h"
#include "pages/session.h"
#include "pages/wizard_page.h"
#include "platform/com.h"
#include "skin/skin_engine.h"
#include "ui/dialog.h"
#include "ui/gdi.h"
#include "ui/message_loop.h"

namespace app {

class WizardWindow : public ui::Dialog, private ui::MessageFilter, private ui::IdleHandler {
public:
    // Makes the wizard's pages in index order (welcome first), handing them
    // the wizard's session; fewer than seven are allowed, the missing ones
    // are never shown.
    using PageMaker = std::function<std::vector<pages::PageSlot>(pages::Session& session)>;

    // services: what the header bar's buttons lead to. trayIcon: add the
    // tray icon.
    WizardWindow(const PageMaker& makePages, pages::Services services, bool trayIcon = false);
    ~WizardWindow() override;

    // Creates the window (hidden) and initialises it; null when that fails.
    // The message loop the window registers with must already exist.
    HWND Create();

    const PageHost& Pages() const { return pageHost_; }
    const TrayIcon& Tray() const { return tray_; }
    bool Skinned() const { return static_cast<bool>(skin_); }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroy() override;

private:
    bool PreTranslateMessage(MSG& message) override;
    void OnIdle() override {}

    void SetIcons();
    void CreateHeader();
    void CreatePages();
    // Asks every page; closes when none refuses.
    void Cancel();
    void Close();

    // The findings, ticks and last clean the pages share; it outlives them.
    pages::Session session_;
    std::vector<pages::PageSlot> slots_;
    const bool trayIcon_;
    PageHost headerHost_;
    PageHost pageHost_;
    HeaderBar headerBar_;
    TrayIcon tray_;
    ui::Icon largeIcon_;
    ui::Icon smallIcon_;
    platform::ComPtr<skin::ISkinEngine> skin_;
    ui::MessageLoop* loop_ = nullptr;
};

}  // namespace app
