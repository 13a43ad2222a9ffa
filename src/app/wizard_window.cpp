#include "app/wizard_window.h"

#include <string>

#include "app/app_resources.h"
#include "app/exit_codes.h"
#include "app/version_title.h"
#include "config/settings.h"
#include "pages/page_protocol.h"
#include "platform/special_folders.h"
#include "skin/skin_hook.h"
#include "text/language_table.h"

namespace app {

namespace {

ui::Icon LoadProgramIcon(int widthMetric, int heightMetric) {
    return ui::LoadResourceIcon(IDI_PROGRAM, ::GetSystemMetrics(widthMetric), ::GetSystemMetrics(heightMetric));
}

}  // namespace

WizardWindow::WizardWindow(const PageMaker& makePages, pages::Services services, bool trayIcon)
    : slots_(makePages(session_)), trayIcon_(trayIcon), headerBar_(std::move(services)) {}

WizardWindow::~WizardWindow() {
    // Destroy the window while every object it refers to still exists, so
    // that the pages' own destruction work (the welcome page saves) runs.
    if (Hwnd()) ::DestroyWindow(Hwnd());
}

HWND WizardWindow::Create() { return ui::Dialog::Create(nullptr, IDD_WIZARD); }

bool WizardWindow::OnInit() {
    skin_ = skin::ApplySkin(Hwnd(), skin::ReadSkinSettings(skin::SkinSettingsPath()));
    ui::CenterWindow(Hwnd(), ::GetWindow(Hwnd(), GW_OWNER));
    SetIcons();
    loop_ = ui::MessageLoop::Current();
    if (loop_) {
        loop_->AddMessageFilter(this);
        loop_->AddIdleHandler(this);
    }
    text::TranslateWindow(Hwnd());
    ::SetWindowTextA(Hwnd(), ProductTitle(platform::ProgramFilePath()).c_str());
    CreateHeader();
    tray_.SetRecord(
        MakeTrayRecord(Hwnd(), smallIcon_.Get(), pages::WM_WIZARD_TRAYNOTIFY, text::LookupText("_AppName")));
    if (trayIcon_) tray_.Add();
    CreatePages();
    bool showWelcome = config::LoadShowWelcome(config::ValueSet::Custom) != 0;
    pageHost_.ShowPage(showWelcome ? pages::kWelcomePage : pages::kDriveSelectionPage);
    return true;
}

void WizardWindow::SetIcons() {
    largeIcon_ = LoadProgramIcon(SM_CXICON, SM_CYICON);
    smallIcon_ = LoadProgramIcon(SM_CXSMICON, SM_CYSMICON);
    ::SendMessageA(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_.Get()));
    ::SendMessageA(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
}

void WizardWindow::CreateHeader() {
    if (!headerHost_.ReplaceControl(Hwnd(), IDC_HEADER_STRIP)) return;
    headerHost_.AddPage(headerBar_.Create(headerHost_.Hwnd(), IDD_HEADER_BAR));
    headerHost_.ShowPage(0);
}

void WizardWindow::CreatePages() {
    if (!pageHost_.ReplaceControl(Hwnd(), IDC_PAGE_AREA)) return;
    for (pages::PageSlot& slot : slots_) {
        HWND page = slot.page ? slot.page->CreatePage(pageHost_.Hwnd(), slot.templateId) : nullptr;
        // Pages come up hidden whatever their template says; the host shows them.
        if (page) ::ShowWindow(page, SW_HIDE);
        pageHost_.AddPage(page);
    }
}

bool WizardWindow::OnCommand(int id, int code, HWND control) {
    switch (id) {
        case pages::kNextButton:
        case pages::kBackButton:
            if (HWND page = pageHost_.CurrentPage(); IsPageShown(page)) {
                ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
            }
            return true;
        case IDCANCEL:
            Cancel();
            return true;
        default:
            return false;
    }
}

bool WizardWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case pages::WM_WIZARD_ENABLEBUTTONS:
            EnableItem(pages::kNextButton, (wParam & pages::kEnableNext) != 0);
            EnableItem(pages::kBackButton, (wParam & pages::kEnableBack) != 0);
            return true;
        case pages::WM_WIZARD_SETCANCELTEXT:
            if (const auto* text = reinterpret_cast<const std::string*>(wParam)) SetItemText(IDCANCEL, text->c_str());
            return true;
        case pages::WM_WIZARD_GETCURRENTPAGE:
            result = reinterpret_cast<LRESULT>(pageHost_.CurrentPage());
            return true;
        case pages::WM_WIZARD_TRAYNOTIFY:
            if (lParam == WM_LBUTTONDBLCLK) {
                ::ShowWindow(Hwnd(), ::IsIconic(Hwnd()) ? SW_RESTORE : SW_SHOW);
                ::SetForegroundWindow(Hwnd());
            }
            return true;
        case pages::WM_WIZARD_CLOSE:
            Close();
            return true;
        case WM_CLOSE:
            Cancel();
            return true;
        default:
            return false;
    }
}

void WizardWindow::Cancel() {
    for (int i = 0; i < pageHost_.PageCount(); ++i) {
        HWND page = pageHost_.Page(i);
        if (page && ::IsWindow(page) && ::SendMessageA(page, pages::WM_WIZARD_QUERYCANCEL, 0, 0) != 0) return;
    }
    Close();
}

void WizardWindow::Close() { ::DestroyWindow(Hwnd()); }

void WizardWindow::OnDestroy() {
    tray_.Remove();
    if (loop_) {
        loop_->RemoveMessageFilter(this);
        loop_->RemoveIdleHandler(this);
        // Only the loop this window registered with is ended.
        ::PostQuitMessage(kExitEnded);
        loop_ = nullptr;
    }
    skin_.Reset();
}

bool WizardWindow::PreTranslateMessage(MSG& message) {
    HWND hwnd = Hwnd();
    return hwnd && ::IsDialogMessageA(hwnd, &message);
}

}  // namespace app
