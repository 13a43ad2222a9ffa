#pragma once
// The wizard's page protocol: the messages by which the pages, their page
// host and the wizard window talk to each other, and the pages' fixed order.
// All are sent synchronously on the user-interface thread.
#include <windows.h>

#include <string>

namespace pages {

// To each page, by the wizard before it closes: non-zero refuses the close.
constexpr UINT WM_WIZARD_QUERYCANCEL = 0x465;
// To the wizard: wParam bit 0 enables Next, bit 1 Back.
constexpr UINT WM_WIZARD_ENABLEBUTTONS = 0x467;
// To the wizard: wParam is a const std::string* holding Cancel's new caption.
constexpr UINT WM_WIZARD_SETCANCELTEXT = 0x469;
// To the scanning page: start a scan unless one runs.
constexpr UINT WM_SCANPAGE_STARTSCAN = 0x46A;
// To the cleaning page: start a clean unless one runs.
constexpr UINT WM_CLEANPAGE_START = 0x46B;
// To the report page: returns its list view window.
constexpr UINT WM_REPORTPAGE_GETLIST = 0x46C;
// To the current page: the settings it shows may have changed.
constexpr UINT WM_WIZARD_SETTINGSCHANGED = 0x46E;
// To the wizard: returns the current page's window, or null.
constexpr UINT WM_WIZARD_GETCURRENTPAGE = 0x46F;
// To the wizard, from its tray icon: lParam is the mouse message.
constexpr UINT WM_WIZARD_TRAYNOTIFY = 0x470;
// To the wizard: destroy the window and end the loop with code 2, asking no page.
constexpr UINT WM_WIZARD_CLOSE = 0x471;
// To a page host: wParam index; returns that page's window or null.
constexpr UINT WM_PAGEHOST_GETPAGE = 0x1BE1;
// To a page host: wParam absolute page index; shows that page.
constexpr UINT WM_PAGEHOST_SHOWPAGE = 0x1BE2;
// To the page just shown / just hidden, by its page host.
constexpr UINT WM_PAGE_ACTIVATED = 0x1BE3;
constexpr UINT WM_PAGE_DEACTIVATED = 0x1BE4;

// The pages in their fixed order; pages navigate by these absolute indices.
enum PageIndex : int {
    kNoPage = -1,
    kWelcomePage = 0,
    kDriveSelectionPage = 1,
    kScanningPage = 2,
    kReportPage = 3,
    kCleanSummaryPage = 4,
    kCleaningPage = 5,
    kFinishPage = 6,
};
inline constexpr int kPageCount = 7;

// Button ids of the wizard window that pages receive as commands.
constexpr int kNextButton = 4;
constexpr int kBackButton = 6;

constexpr int kEnableNext = 1;
constexpr int kEnableBack = 2;

// A page's page host is its parent; the wizard window is the host's parent.
inline HWND PageHostOf(HWND page) { return ::GetParent(page); }
inline HWND WizardOf(HWND page) { return ::GetParent(::GetParent(page)); }

inline void ShowWizardPage(HWND page, int index) {
    ::SendMessageA(PageHostOf(page), WM_PAGEHOST_SHOWPAGE, static_cast<WPARAM>(index), 0);
}
inline HWND GetWizardPage(HWND page, int index) {
    return reinterpret_cast<HWND>(::SendMessageA(PageHostOf(page), WM_PAGEHOST_GETPAGE, static_cast<WPARAM>(index), 0));
}
inline HWND CurrentWizardPage(HWND page) {
    return reinterpret_cast<HWND>(::SendMessageA(WizardOf(page), WM_WIZARD_GETCURRENTPAGE, 0, 0));
}
inline void EnableWizardButtons(HWND page, int mask) {
    ::SendMessageA(WizardOf(page), WM_WIZARD_ENABLEBUTTONS, static_cast<WPARAM>(mask), 0);
}
inline void SetWizardCancelText(HWND page, const std::string& text) {
    ::SendMessageA(WizardOf(page), WM_WIZARD_SETCANCELTEXT, reinterpret_cast<WPARAM>(&text), 0);
}
// Shows a job page and has it start its job (the scan or the clean).
inline void ShowPageAndStart(HWND page, int index, UINT startMessage) {
    ShowWizardPage(page, index);
    ::SendMessageA(GetWizardPage(page, index), startMessage, 0, 0);
}

}  // namespace pages
