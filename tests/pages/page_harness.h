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

    // What the pages asked for, in order.
    std::vector<int> showRequests;
    std::vector<int> enableMasks;
    std::string cancelText;
    int closeRequests = 0;
    // Called for every WM_WIZARD_ENABLEBUTTONS, on the user-interface thread.
    std::function<void(int mask)> onEnable;

private:
    static LRESULT CALLBACK WizardProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK HostProc(HWND, UINT, WPARAM, LPARAM);

    HWND window_ = nullptr;
    HWND host_ = nullptr;
    int current_ = -1;
    std::array<pages::PagePtr, pages::kPageCount> pages_;
};

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
