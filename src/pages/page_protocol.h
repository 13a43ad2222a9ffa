#pragma once
// The wizard's page protocol: the messages by which the pages, their page
// host and the wizard window talk to each other, and the pages' fixed order.
// They carry commands and navigation, never findings, ticks or results
// (those live in the session, session.h). All but the posted ones are sent
// on the user-interface thread.
#include <windows.h>

#include <string>

namespace pages {

// The program's own window messages, numbered from WM_APP in this one
// list, so that none is used twice and none falls among the numbers that
// dialogs and common controls take for themselves.
enum ProgramMessage : UINT {
    // To each page, by the wizard before it closes: non-zero refuses the close.
    WM_WIZARD_QUERYCANCEL = WM_APP + 1,
    // To the wizard: wParam bit 0 enables Next, bit 1 Back.
    WM_WIZARD_ENABLEBUTTONS,
    // To the wizard: wParam is a const std::string* holding Cancel's new caption.
    WM_WIZARD_SETCANCELTEXT,
    // To the current page: the settings it shows may have changed.
    WM_WIZARD_SETTINGSCHANGED,
    // To the wizard: returns the current page's window, or null.
    WM_WIZARD_GETCURRENTPAGE,
    // To the wizard, from its tray icon: lParam is the mouse message.
    WM_WIZARD_TRAYNOTIFY,
    // To the wizard: destroy the window and end the loop with code 2, asking no page.
    WM_WIZARD_CLOSE,
    // To a page host: wParam index; returns that page's window or null.
    WM_PAGEHOST_GETPAGE,
    // To a page host: wParam absolute page index; shows that page.
    WM_PAGEHOST_SHOWPAGE,
    // To the page just shown / just hidden, by its page host.
    WM_PAGE_ACTIVATED,
    WM_PAGE_DEACTIVATED,
    // To the scanning page: start a scan unless one runs.
    WM_SCANPAGE_STARTSCAN,
    // To the cleaning page: start a clean unless one runs.
    WM_CLEANPAGE_START,
    // Posted to a job page by its job's thread: progress is waiting to be shown.
    WM_JOBPAGE_PROGRESS,
    // Posted to a job page by its job's thread once the job has returned.
    WM_JOBPAGE_ENDED,
    // Posted by the report page to itself: its count line is due again.
    WM_REPORTPAGE_RECOUNT,
};

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
