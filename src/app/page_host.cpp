#include "app/page_host.h"

#include "pages/page_protocol.h"
#include "platform/trace.h"

namespace app {

namespace {

const char kClassName[] = "JunkSweepPageHost";

}  // namespace

bool PageHost::EnsureWindowClass() {
    static const bool registered = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = PageHost::Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        // No background brush: the host paints nothing of its own.
        return ::RegisterClassExA(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

PageHost::~PageHost() {
    if (hwnd_ && ::IsWindow(hwnd_)) ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
}

bool PageHost::ReplaceControl(HWND parent, int controlId) {
    if (!EnsureWindowClass()) {
        platform::Trace("page host", "the window class cannot be registered");
        return false;
    }
    HWND placeholder = ::GetDlgItem(parent, controlId);
    if (!placeholder) {
        platform::Trace("page host", "the placeholder control is missing");
        return false;
    }
    RECT rect{};
    ::GetWindowRect(placeholder, &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    // WS_EX_CONTROLPARENT lets the dialog keyboard handling reach into the pages.
    HWND host = ::CreateWindowExA(WS_EX_CONTROLPARENT, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                  rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                  ::GetModuleHandleA(nullptr), this);
    if (!host) {
        platform::TraceLastError("page host", "the host window cannot be created");
        return false;
    }
    ::SetWindowPos(host, placeholder, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::DestroyWindow(placeholder);
    return true;
}

HWND PageHost::Page(int index) const {
    if (index < 0 || index >= PageCount()) return nullptr;
    return pages_[static_cast<size_t>(index)];
}

void PageHost::ShowPage(int index) {
    if (index == current_) return;
    HWND next = Page(index);
    // Only the indices of existing pages are shown; anything else leaves the
    // current page as it is.
    if (!next || !::IsWindow(next)) return;
    bool hadFocus = false;
    if (HWND previous = CurrentPage(); previous && ::IsWindow(previous)) {
        hadFocus = ::IsChild(previous, ::GetFocus());
        ::ShowWindow(previous, SW_HIDE);
        ::SendMessageA(previous, pages::WM_PAGE_DEACTIVATED, 0, 0);
    }
    current_ = index;
    FitCurrentPage(false);
    ::ShowWindow(next, SW_SHOW);
    // Keyboard focus must not stay on a control that was just hidden.
    if (hadFocus) {
        if (HWND first = ::GetNextDlgTabItem(next, nullptr, FALSE)) {
            ::SendMessageA(::GetAncestor(hwnd_, GA_ROOT), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
        }
    }
    // The page may switch again from its activation (the "auto" run does).
    ::SendMessageA(next, pages::WM_PAGE_ACTIVATED, 0, 0);
}

void PageHost::FitCurrentPage(bool repaint) const {
    HWND page = CurrentPage();
    if (!page) return;
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    ::MoveWindow(page, 0, 0, client.right, client.bottom, repaint ? TRUE : FALSE);
}

LRESULT CALLBACK PageHost::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<PageHost*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        if (created) created->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<PageHost*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcA(hwnd, message, wParam, lParam);
    try {
        return self->Handle(message, wParam, lParam);
    } catch (...) {
        platform::TraceException("page host");
        return 0;
    }
}

LRESULT PageHost::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case pages::WM_PAGEHOST_GETPAGE:
            return reinterpret_cast<LRESULT>(Page(static_cast<int>(wParam)));
        case pages::WM_PAGEHOST_SHOWPAGE:
            ShowPage(static_cast<int>(wParam));
            return 0;
        case WM_SIZE:
            FitCurrentPage(true);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            ::BeginPaint(hwnd_, &ps);
            ::EndPaint(hwnd_, &ps);
            return 0;
        }
        case WM_NCDESTROY: {
            HWND hwnd = hwnd_;
            ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            hwnd_ = nullptr;
            pages_.clear();
            current_ = -1;
            return ::DefWindowProcA(hwnd, message, wParam, lParam);
        }
        default:
            return ::DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

}  // namespace app
