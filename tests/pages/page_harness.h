#pragma once
// A stand-in wizard for driving the pages in real windows: a top-level
// window and a page host that carry out the page protocol and record what
// the pages asked of them.
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "pages/session.h"
#include "scan/findings.h"
#include "pages/wizard_page.h"
#include "platform/window_text.h"
#include "support/scratch.h"

namespace pagetest {

class FakeWizard {
public:
    FakeWizard();
    ~FakeWizard();
    FakeWizard(const FakeWizard&) = delete;
    FakeWizard& operator=(const FakeWizard&) = delete;

    // Creates the page's window in the host at the given index.
    template <typename Page>
    Page& Add(int index, std::unique_ptr<Page> page, int templateId) {
        Page& ref = *page;
        AddPage(index, pages::PagePtr(page.release()), templateId);
        return ref;
    }
    void AddPage(int index, pages::PagePtr page, int templateId);
    HWND PageWindow(int index) const;
    // Shows a page as the host does when a page asks for it.
    void Show(int index);
    // Destroys the windows, then the page objects, as the program does at exit.
    void Close();

    HWND Window() const { return window_; }
    HWND Host() const { return host_; }
    int Current() const { return current_; }

    // The session the wizard's pages share (made before them, gone after).
    pages::Session session;

    // What the pages asked for, in order.
    std::vector<int> showRequests;
    std::vector<int> enableMasks;
    std::string cancelText;
    int closeRequests = 0;
    // Called for every WM_WIZARD_ENABLEBUTTONS and WM_PAGEHOST_SHOWPAGE, on
    // the user-interface thread.
    std::function<void(int mask)> onEnable;
    std::function<void(int index)> onShow;

private:
    static LRESULT CALLBACK WizardProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK HostProc(HWND, UINT, WPARAM, LPARAM);

    HWND window_ = nullptr;
    HWND host_ = nullptr;
    int current_ = -1;
    std::array<pages::PagePtr, pages::kPageCount> pages_;
};

// Findings as a scan would hand them back, without files behind them
// unless the test makes them.
struct Found {
    std::string path;
    std::string reason = "junk";
    uint64_t size = 0;
};
scan::Findings FindingsOf(const std::vector<Found>& files);

// A user's ways of ticking and unticking a report row: the space bar on the
// focused row, and a click on its check box (false when the row's check box
// is not on screen).
void PressSpaceOn(HWND list, int row);
bool ClickCheckBox(HWND list, int row);
// The first row whose first column shows the text; -1 when none does.
int RowNamed(HWND list, const std::string& text);

// Carries out this thread's messages until the condition holds; false on
// timeout.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 20000);
void PumpPending();

// Settings documents for the tests.
struct SettingsPlan {
    std::vector<std::string> selectedPaths;
    std::vector<std::string> junkPatterns = {"*.tmp", "*.log", "*.bak"};
    int clean = 1, moveToRecycle = 0, moveToFolder = 0, backup = 0;
    std::string moveToFolderPath;
    std::array<int, 13> traces{};  // all off: never touch the prefix's own traces
};
std::string SettingsXml(const SettingsPlan& plan);

// Texts the tests look for; every other key shows as itself.
extern const char* const kTestLanguage;

// A program place with the test language and the given settings.
class PagePlace : public testsupport::ProgramPlace {
public:
    explicit PagePlace(const SettingsPlan& plan = {});
};

using platform::WindowText;

}  // namespace pagetest
