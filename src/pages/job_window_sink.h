#pragma once
// What every job's sink does alike for the job pages: the wizard's buttons,
// the status line and the Stop button, each by a synchronous message from
// the job's thread. The sink holds only the windows it sends to, never the
// page, so the job's code cannot reach the page's members.
#include <windows.h>

#include <string>

#include "pages/page_protocol.h"

namespace pages {

// The windows a job page's job talks to, fixed when the page is made.
struct JobWindows {
    HWND page = nullptr;
    HWND host = nullptr;
    HWND wizard = nullptr;
    HWND status = nullptr;
    HWND stop = nullptr;
};

template <class Sink>
class JobWindowSink : public Sink {
public:
    explicit JobWindowSink(const JobWindows& windows) : windows_(windows) {}

    void EnableWizardButtons(int mask) override {
        ::SendMessageA(windows_.wizard, WM_WIZARD_ENABLEBUTTONS, static_cast<WPARAM>(mask), 0);
    }
    void SetStatus(const std::string& text) override {
        ::SendMessageA(windows_.status, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void EnableStop(bool enabled) override { ::EnableWindow(windows_.stop, enabled ? TRUE : FALSE); }

protected:
    const JobWindows& Windows() const { return windows_; }
    void ShowWizardPage(int index) const { ::SendMessageA(windows_.host, WM_PAGEHOST_SHOWPAGE, index, 0); }

private:
    const JobWindows windows_;
};

}  // namespace pages
