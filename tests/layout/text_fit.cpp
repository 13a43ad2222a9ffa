#include "text_fit.h"

#include <commctrl.h>

#include <optional>

#include "ui/skinned_controls.h"

namespace layouttest {

namespace {

// The part of a control its text is drawn into, and how it is drawn there.
struct Room {
    RECT rect;
    UINT format;  // DrawText flags: one line, or wrapped at the room's width
};

std::wstring TextOf(HWND control) {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string Narrow(const std::wstring& text) {
    int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string ClassOf(HWND control) {
    char name[64] = {};
    ::GetClassNameA(control, name, sizeof name);
    return name;
}

int Scaled(int pixels, int dpi) { return ::MulDiv(pixels, dpi, 96); }

// Where each kind of control draws its caption, as the system's controls do.
std::optional<Room> RoomOf(HWND control, HDC dc, int dpi) {
    RECT client{};
    ::GetClientRect(control, &client);
    const std::string kind = ClassOf(control);
    const LONG style = ::GetWindowLongA(control, GWL_STYLE);
    if (lstrcmpiA(kind.c_str(), "Button") == 0) {
        const UINT wrap = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
        switch (style & BS_TYPEMASK) {
            case BS_OWNERDRAW:
                if (ui::SkinnedButton* skinned = ui::SkinnedButton::Of(control)) {
                    return Room{skinned->TextRect(dc, client), DT_SINGLELINE};
                }
                return std::nullopt;
            case BS_GROUPBOX:
                ::InflateRect(&client, -7, 0);
                return Room{client, DT_SINGLELINE};
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON:
            case BS_3STATE:
            case BS_AUTO3STATE:
                // The box, then a gap before the caption.
                client.left += Scaled(12, dpi) + 1 + 4;
                return Room{client, wrap};
            case BS_PUSHBUTTON:
            case BS_DEFPUSHBUTTON:
                // The raised edge and the focus rectangle inside it.
                ::InflateRect(&client, -3, -2);
                return Room{client, wrap};
            default:
                return std::nullopt;
        }
    }
    if (lstrcmpiA(kind.c_str(), "Static") == 0) {
        if (style & SS_ELLIPSISMASK) return std::nullopt;  // shortened by design (paths)
        const UINT prefix = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
        switch (style & SS_TYPEMASK) {
            case SS_LEFT:
            case SS_CENTER:
            case SS_RIGHT:
                return Room{client, DT_WORDBREAK | DT_EXPANDTABS | prefix};
            case SS_LEFTNOWORDWRAP:
            case SS_SIMPLE:
                return Room{client, DT_SINGLELINE | DT_EXPANDTABS | prefix};
            default:
                return std::nullopt;  // pictures, frames, owner-drawn
        }
    }
    return std::nullopt;
}

HFONT FontOf(HWND control) {
    auto font = reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0));
    return font ? font : static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
}

SIZE Measure(HDC dc, const std::wstring& text, UINT format, int width) {
    RECT box{0, 0, width, 0};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format | DT_CALCRECT);
    return {box.right - box.left, box.bottom - box.top};
}

std::string Describe(HWND control, const std::wstring& text) {
    std::string shown = Narrow(text.substr(0, 60));
    return ClassOf(control) + " " + std::to_string(::GetDlgCtrlID(control)) + " \"" + shown + "\"";
}

std::string Sizes(SIZE need, LONG width, LONG height) {
    return "needs " + std::to_string(need.cx) + "x" + std::to_string(need.cy) + ", has " + std::to_string(width) +
           "x" + std::to_string(height);
}

struct Walk {
    HWND top = nullptr;
    std::vector<Misfit> found;
    int dpi = 96;
};

// Shown when it and every window up to the one checked are; the checked
// window itself may be hidden.
bool Shown(HWND control, HWND top) {
    for (HWND w = control; w && w != top; w = ::GetParent(w)) {
        if ((::GetWindowLongA(w, GWL_STYLE) & WS_VISIBLE) == 0) return false;
    }
    return true;
}

void CheckText(HWND control, HDC dc, Walk& walk) {
    const std::wstring text = TextOf(control);
    if (text.empty()) return;
    std::optional<Room> room = RoomOf(control, dc, walk.dpi);
    if (!room) return;
    const LONG width = room->rect.right - room->rect.left;
    const LONG height = room->rect.bottom - room->rect.top;
    const SIZE need = Measure(dc, text, room->format, width);
    if (need.cx > width || need.cy > height) walk.found.push_back({Describe(control, text), Sizes(need, width, height)});
}

// Every entry of a drop-down list shows in its closed box, beside the arrow.
void CheckListEntries(HWND combo, HDC dc, Walk& walk) {
    const LONG style = ::GetWindowLongA(combo, GWL_STYLE);
    if ((style & 3) != CBS_DROPDOWNLIST) return;
    RECT client{};
    ::GetClientRect(combo, &client);
    const LONG width = client.right - client.left - ::GetSystemMetrics(SM_CXVSCROLL) - 2 * ::GetSystemMetrics(SM_CXEDGE) - 2;
    const LRESULT count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring entry(static_cast<size_t>(::SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        entry.resize(static_cast<size_t>(::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()))));
        const SIZE need = Measure(dc, entry, DT_SINGLELINE | DT_NOPREFIX, width);
        if (need.cx > width) walk.found.push_back({Describe(combo, entry), Sizes(need, width, client.bottom)});
    }
}

// A control must lie inside the client area of the window that holds it,
// or the parent cuts it off.
void CheckInsideParent(HWND control, Walk& walk) {
    HWND parent = ::GetParent(control);
    if (!parent || (::GetWindowLongA(control, GWL_STYLE) & WS_CHILD) == 0) return;
    // Only the program's own dialogs are laid out by it; the parts inside a
    // system control (the arrows of a time picker) are the control's own.
    if (ClassOf(parent) != "#32770") return;
    RECT inner{}, outer{};
    ::GetWindowRect(control, &inner);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&inner), 2);
    ::GetClientRect(parent, &outer);
    if (inner.left < outer.left || inner.top < outer.top || inner.right > outer.right || inner.bottom > outer.bottom) {
        walk.found.push_back({Describe(control, TextOf(control)),
                              "sticks out of its parent: " + std::to_string(inner.right) + "x" +
                                  std::to_string(inner.bottom) + " in " + std::to_string(outer.right) + "x" +
                                  std::to_string(outer.bottom)});
    }
}

BOOL CALLBACK CheckControl(HWND control, LPARAM context) {
    auto& walk = *reinterpret_cast<Walk*>(context);
    if (!Shown(control, walk.top)) return TRUE;
    CheckInsideParent(control, walk);
    HDC dc = ::GetDC(control);
    HGDIOBJ old = ::SelectObject(dc, FontOf(control));
    CheckText(control, dc, walk);
    if (lstrcmpiA(ClassOf(control).c_str(), "ComboBox") == 0) CheckListEntries(control, dc, walk);
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    return TRUE;
}

}  // namespace

std::vector<Misfit> MisfitsIn(HWND window) {
    Walk walk;
    walk.top = window;
    HDC screen = ::GetDC(nullptr);
    walk.dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    ::EnumChildWindows(window, CheckControl, reinterpret_cast<LPARAM>(&walk));
    return walk.found;
}

}  // namespace layouttest
