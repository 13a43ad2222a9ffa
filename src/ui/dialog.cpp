#include "ui/dialog.h"

#include <windowsx.h>

#include "platform/trace.h"
#include "ui/skinned_controls.h"

namespace ui {

namespace {

// Messages whose result a dialog procedure returns directly instead of
// through DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message) {
    switch (message) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
        case WM_INITDIALOG:
            return true;
        default:
            return false;
    }
}

}  // namespace

Dialog::~Dialog() {
    if (hwnd_ && !modal_ && ::IsWindow(hwnd_)) {
        ::SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
        ::DestroyWindow(hwnd_);
    }
}

INT_PTR Dialog::RunModal(HWND owner, int templateId) {
    modal_ = true;
    INT_PTR result = ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, Proc,
                                       reinterpret_cast<LPARAM>(this));
    if (result == -1) platform::TraceLastError("dialog", "a modal dialog cannot be created");
    return result;
}

HWND Dialog::Create(HWND parent, int templateId) {
    modal_ = false;
    HWND hwnd = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent, Proc,
                                     reinterpret_cast<LPARAM>(this));
    if (!hwnd) platform::TraceLastError("dialog", "a modeless dialog cannot be created");
    return hwnd;
}

HWND Dialog::CreateIndirect(HWND parent, const DLGTEMPLATE* dialogTemplate) {
    modal_ = false;
    HWND hwnd = ::CreateDialogIndirectParamA(::GetModuleHandleA(nullptr), dialogTemplate, parent, Proc,
                                             reinterpret_cast<LPARAM>(this));
    if (!hwnd) platform::TraceLastError("dialog", "a dialog from memory cannot be created");
    return hwnd;
}

bool Dialog::OnCommand(int id, int, HWND) {
    if (modal_ && (id == IDOK || id == IDCANCEL)) {
        End(id);
        return true;
    }
    return false;
}

bool Dialog::OnNotify(const NMHDR&, LRESULT&) { return false; }

void Dialog::OnSize(int, int) {}

bool Dialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void Dialog::End(INT_PTR code) {
    if (!hwnd_) return;
    if (modal_) {
        ::EndDialog(hwnd_, code);
    } else {
        ::DestroyWindow(hwnd_);
    }
}

INT_PTR CALLBACK Dialog::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Dialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        ::SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
    }
    if (!self) return FALSE;
    INT_PTR handled = FALSE;
    try {
        handled = self->Dispatch(message, wParam, lParam);
    } catch (...) {
        platform::TraceException("dialog procedure");
        handled = FALSE;
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return handled;
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    bool handled = false;
    switch (message) {
        case WM_INITDIALOG:
            return OnInit() ? TRUE : FALSE;
        case WM_COMMAND:
            handled = OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            break;
        case WM_NOTIFY:
            handled = OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result);
            break;
        case WM_SIZE:
            OnSize(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            handled = false;
            break;
        case WM_DESTROY:
            OnDestroy();
            break;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlType == ODT_BUTTON) {
                if (SkinnedButton* button = SkinnedButton::Of(item.hwndItem)) {
                    button->Draw(item);
                    result = TRUE;
                    handled = true;
                    break;
                }
            }
            handled = OnMessage(message, wParam, lParam, result);
            break;
        }
        case WM_CTLCOLORSTATIC:
            if (SkinnedLabel* label = SkinnedLabel::Of(reinterpret_cast<HWND>(lParam))) {
                result = reinterpret_cast<LRESULT>(label->Color(reinterpret_cast<HDC>(wParam)));
                handled = true;
                break;
            }
            handled = OnMessage(message, wParam, lParam, result);
            break;
        default:
            handled = OnMessage(message, wParam, lParam, result);
            break;
    }
    if (!handled) return FALSE;
    if (ReturnsDirectly(message)) return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
}

void CenterWindow(HWND window, HWND owner) {
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT area = work;
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &area);
    RECT self{};
    ::GetWindowRect(window, &self);
    int width = self.right - self.left, height = self.bottom - self.top;
    int x = area.left + ((area.right - area.left) - width) / 2;
    int y = area.top + ((area.bottom - area.top) - height) / 2;
    if (x + width > work.right) x = work.right - width;
    if (y + height > work.bottom) y = work.bottom - height;
    if (x < work.left) x = work.left;
    if (y < work.top) y = work.top;
    // A child window is placed in its parent's client coordinates.
    if (::GetWindowLongA(window, GWL_STYLE) & WS_CHILD) {
        POINT p{x, y};
        ::ScreenToClient(::GetParent(window), &p);
        x = p.x;
        y = p.y;
    }
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ui
