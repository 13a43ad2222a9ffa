#include "page_harness.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "pages/page_protocol.h"
#include "support/settings_xml.h"
#include "ui/list_view.h"

namespace pagetest {

namespace {

const char kWizardClass[] = "JunkSweepTestWizard";
const char kHostClass[] = "JunkSweepTestHost";

void RegisterClasses() {
    static bool done = false;
    if (done) return;
    WNDCLASSA wizard{};
    wizard.lpfnWndProc = DefWindowProcA;
    wizard.hInstance = ::GetModuleHandleA(nullptr);
    wizard.lpszClassName = kWizardClass;
    wizard.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    ::RegisterClassA(&wizard);
    WNDCLASSA host = wizard;
    host.lpszClassName = kHostClass;
    ::RegisterClassA(&host);
    done = true;
}

FakeWizard* Self(HWND window) { return reinterpret_cast<FakeWizard*>(::GetWindowLongPtrA(window, GWLP_USERDATA)); }

}  // namespace

FakeWizard::FakeWizard() {
    RegisterClasses();
    window_ = ::CreateWindowExA(WS_EX_CONTROLPARENT, kWizardClass, "wizard", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480,
                                nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    host_ = ::CreateWindowExA(WS_EX_CONTROLPARENT, kHostClass, "", WS_CHILD | WS_VISIBLE, 10, 40, 600, 380, window_,
                              nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (!window_ || !host_) throw std::runtime_error("cannot create the test wizard");
    ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrA(host_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WizardProc));
    ::SetWindowLongPtrA(host_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostProc));
}

FakeWizard::~FakeWizard() { Close(); }

void FakeWizard::Close() {
    if (window_) {
        ::DestroyWindow(window_);
        window_ = host_ = nullptr;
    }
    for (auto& page : pages_) page.reset();
}

void FakeWizard::AddPage(int index, pages::PagePtr page, int templateId) {
    HWND hwnd = page->CreatePage(host_, templateId);
    if (!hwnd) throw std::runtime_error("cannot create page " + std::to_string(templateId));
    ::ShowWindow(hwnd, SW_HIDE);
    pages_.at(static_cast<size_t>(index)) = std::move(page);
}

HWND FakeWizard::PageWindow(int index) const {
    if (index < 0 || index >= static_cast<int>(pages_.size()) || !pages_[static_cast<size_t>(index)]) return nullptr;
    return pages_[static_cast<size_t>(index)]->Hwnd();
}

void FakeWizard::Show(int index) {
    if (index == current_) return;
    if (HWND old = PageWindow(current_)) {
        ::ShowWindow(old, SW_HIDE);
        ::SendMessageA(old, pages::WM_PAGE_DEACTIVATED, 0, 0);
    }
    current_ = index;
    if (HWND page = PageWindow(index)) {
        RECT client{};
        ::GetClientRect(host_, &client);
        ::SetWindowPos(page, nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOREDRAW);
        ::ShowWindow(page, SW_SHOW);
        ::SendMessageA(page, pages::WM_PAGE_ACTIVATED, 0, 0);
    }
}

LRESULT CALLBACK FakeWizard::WizardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    FakeWizard* self = Self(window);
    switch (message) {
        case pages::WM_WIZARD_ENABLEBUTTONS:
            self->enableMasks.push_back(static_cast<int>(wParam));
            if (self->onEnable) self->onEnable(static_cast<int>(wParam));
            return 0;
        case pages::WM_WIZARD_SETCANCELTEXT:
            self->cancelText = *reinterpret_cast<const std::string*>(wParam);
            return 0;
        case pages::WM_WIZARD_CLOSE:
            ++self->closeRequests;
            return 0;
        case pages::WM_WIZARD_GETCURRENTPAGE:
            return reinterpret_cast<LRESULT>(self->PageWindow(self->current_));
        default:
            return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK FakeWizard::HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    FakeWizard* self = Self(window);
    switch (message) {
        case pages::WM_PAGEHOST_GETPAGE:
            return reinterpret_cast<LRESULT>(self->PageWindow(static_cast<int>(wParam)));
        case pages::WM_PAGEHOST_SHOWPAGE:
            self->showRequests.push_back(static_cast<int>(wParam));
            if (self->onShow) self->onShow(static_cast<int>(wParam));
            self->Show(static_cast<int>(wParam));
            return 0;
        default:
            return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

scan::Findings FindingsOf(const std::vector<Found>& files) {
    scan::Findings findings;
    for (const Found& f : files) {
        const size_t slash = f.path.rfind('\\');
        findings.Add(std::string_view(f.path).substr(0, slash), std::string_view(f.path).substr(slash + 1), f.reason,
                     {f.size, 0}, FILE_ATTRIBUTE_ARCHIVE);
    }
    return findings;
}

void PressSpaceOn(HWND list, int row) {
    ListView_SetItemState(list, row, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    ::SendMessageA(list, WM_KEYDOWN, VK_SPACE, 0);
    ::SendMessageA(list, WM_KEYUP, VK_SPACE, 0);
}

int RowNamed(HWND list, const std::string& text) {
    const ui::ListView view(list);
    for (int row = 0; row < view.Count(); ++row) {
        if (view.Text(row, 0) == text) return row;
    }
    return -1;
}

bool ClickCheckBox(HWND list, int row) {
    ListView_EnsureVisible(list, row, FALSE);
    RECT bounds{};
    if (!ListView_GetItemRect(list, row, &bounds, LVIR_BOUNDS)) return false;
    // The check box is the row's state icon, left of its own icon.
    for (int x = bounds.left; x < bounds.right; ++x) {
        LVHITTESTINFO hit{};
        hit.pt = {x, (bounds.top + bounds.bottom) / 2};
        if (ListView_SubItemHitTest(list, &hit) != row || !(hit.flags & LVHT_ONITEMSTATEICON)) continue;
        const LPARAM at = MAKELPARAM(hit.pt.x, hit.pt.y);
        ::SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageA(list, WM_LBUTTONUP, 0, at);
        return true;
    }
    return false;
}

void PumpPending() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG start = ::GetTickCount64();
    for (;;) {
        PumpPending();
        if (condition()) return true;
        if (::GetTickCount64() - start > timeoutMs) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::string SettingsXml(const SettingsPlan& plan) {
    testsupport::SettingsValues user;
    for (const std::string& pattern : plan.junkPatterns) user.junkTypes.push_back({pattern, "junk " + pattern, 1});
    user.clean = {plan.clean, plan.moveToRecycle, plan.moveToFolder, plan.backup, plan.moveToFolderPath};
    std::copy(plan.traces.begin(), plan.traces.end(), user.traces.begin());
    return testsupport::SettingsDocumentXml({}, user, plan.selectedPaths);
}

const char* const kTestLanguage =
    "[String]\n"
    "_AppName=JunkSweep test\n"
    "_MyComputer=Computer\n"
    "_FindFileCntTxtFormat=%d files found\n"
    "_ClrOptInfo=%d files will be cleaned\n"
    "_modtxtClean=delete them\n"
    "_modtxtMoveToRecycle=recycle them\n"
    "_modtxtMoveToFolder=move them to %s\n"
    "_Enabled=on\n"
    "_Disabled=off\n"
    "_Cancel=Cancel\n"
    "_mainWndCancelFinish=Finish\n"
    "_ScanCompleted=Scan completed\n"
    "_ScanStopped=Scan stopped\n"
    "_cpThreadCompleted=Clean completed\n"
    "_cpThreadStopped=Clean stopped\n"
    "_PleaseSelectadrive=Please select a drive\n"
    "_Pleasewaitwhilescanning=Please wait while scanning\n"
    "_Pleasewaitwhilecleandisks=Please wait while cleaning\n";

PagePlace::PagePlace(const SettingsPlan& plan) : ProgramPlace("pages") {
    testsupport::WriteFile(LanguagePath(), kTestLanguage);
    WriteSettings(SettingsXml(plan));
}

}  // namespace pagetest
