#include "ui/skinned_controls.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <string>

#include "platform/codepage.h"
#include "platform/window_text.h"

namespace ui {

namespace {

const char kButtonProperty[] = "JunkSweep.SkinnedButton";
const char kLabelProperty[] = "JunkSweep.SkinnedLabel";
constexpr UINT_PTR kSubclassId = 0x4A53;

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
    Brush brush(::CreateSolidBrush(color));
    ::FillRect(dc, &rect, brush.Get());
}

}  // namespace

void SkinnedButton::Attach(HWND button, const ButtonLook& look) {
    Detach();
    hwnd_ = button;
    look_ = look;
    LONG style = ::GetWindowLongA(button, GWL_STYLE);
    ::SetWindowLongA(button, GWL_STYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW);
    ::SetPropA(button, kButtonProperty, this);
    ::SetWindowSubclass(button, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    if (look_.hyperlink) {
        auto base = reinterpret_cast<HFONT>(::SendMessageA(button, WM_GETFONT, 0, 0));
        LOGFONTA font{};
        if (base && ::GetObjectA(base, sizeof font, &font)) {
            font.lfUnderline = TRUE;
            underlined_.Reset(::CreateFontIndirectA(&font));
        }
    }
    ::InvalidateRect(button, nullptr, TRUE);
}

void SkinnedButton::Detach() {
    if (!hwnd_) return;
    if (::IsWindow(hwnd_)) {
        ::RemoveWindowSubclass(hwnd_, SubclassProc, kSubclassId);
        ::RemovePropA(hwnd_, kButtonProperty);
    }
    hwnd_ = nullptr;
    hovered_ = false;
}

SkinnedButton* SkinnedButton::Of(HWND control) {
    return static_cast<SkinnedButton*>(::GetPropA(control, kButtonProperty));
}

LRESULT CALLBACK SkinnedButton::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR data) {
    auto* self = reinterpret_cast<SkinnedButton*>(data);
    switch (message) {
        case WM_MOUSEMOVE:
            if (!self->hovered_) {
                self->hovered_ = true;
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
                ::TrackMouseEvent(&track);
                ::InvalidateRect(hwnd, nullptr, FALSE);
            }
            break;
        case WM_MOUSELEAVE:
            self->hovered_ = false;
            ::InvalidateRect(hwnd, nullptr, FALSE);
            break;
        case WM_NCDESTROY:
            self->Detach();
            break;
        default:
            break;
    }
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

HFONT SkinnedButton::TextFont() const {
    return underlined_ ? underlined_.Get() : reinterpret_cast<HFONT>(::SendMessageA(hwnd_, WM_GETFONT, 0, 0));
}

RECT SkinnedButton::TextRect(HDC dc, const RECT& rect, POINT* iconAt) const {
    RECT content = rect;
    ::InflateRect(&content, -3, -2);
    POINT icon{};
    if (look_.icon) {
        if (look_.iconAbove) {
            // Icon and text line as one block, centred, so the text keeps
            // its descenders in a low button.
            TEXTMETRICA metrics{};
            ::GetTextMetricsA(dc, &metrics);
            const int block = kIconSize + 1 + metrics.tmHeight;
            const int top = rect.top + std::max(0, static_cast<int>(rect.bottom - rect.top - block) / 2);
            icon = {content.left + (content.right - content.left - kIconSize) / 2, top};
            content.top = top + kIconSize + 1;
            content.bottom = std::max(content.bottom, content.top + metrics.tmHeight);
        } else {
            icon = {content.left, content.top + (content.bottom - content.top - kIconSize) / 2};
            content.left += kIconSize + 4;
        }
    }
    if (iconAt) *iconAt = icon;
    return content;
}

void SkinnedButton::Draw(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    const bool active = hovered_ || (item.itemState & ODS_SELECTED);
    if (look_.transparent) {
        ::DrawThemeParentBackground(item.hwndItem, dc, &rect);
    } else {
        FillSolid(dc, rect, active ? look_.backgroundHover : look_.background);
        if (!look_.hyperlink) ::DrawEdge(dc, &rect, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    }
    HFONT font = TextFont();
    SelectObjectScope selectFont(dc, font);
    POINT iconAt{};
    RECT content = TextRect(dc, rect, &iconAt);
    if (look_.icon) ::DrawIconEx(dc, iconAt.x, iconAt.y, look_.icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    ::SetBkMode(dc, TRANSPARENT);
    COLORREF color = (item.itemState & ODS_DISABLED) ? ::GetSysColor(COLOR_GRAYTEXT) : (active ? look_.textHover : look_.text);
    ::SetTextColor(dc, color);
    // Drawn through the wide function: under Wine the narrow one converts
    // the caption with code page 1252 although the program's code page is
    // UTF-8, and a translated caption came out as a row of wrong characters.
    const std::wstring caption = platform::ToWide(platform::WindowText(item.hwndItem));
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | ((look_.icon && !look_.iconAbove) ? DT_LEFT : DT_CENTER);
    ::DrawTextW(dc, caption.c_str(), -1, &content, format);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = rect;
        ::InflateRect(&focus, -2, -2);
        ::DrawFocusRect(dc, &focus);
    }
}

void SkinnedLabel::Attach(HWND label, int weight, COLORREF text, bool transparent) {
    Detach();
    hwnd_ = label;
    text_ = text;
    transparent_ = transparent;
    font_ = CreateWeightedFont(::GetParent(label), weight);
    ::SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
    ::SetPropA(label, kLabelProperty, this);
}

void SkinnedLabel::Detach() {
    if (!hwnd_) return;
    if (::IsWindow(hwnd_)) {
        ::RemovePropA(hwnd_, kLabelProperty);
        ::SendMessageA(hwnd_, WM_SETFONT, ::SendMessageA(::GetParent(hwnd_), WM_GETFONT, 0, 0), FALSE);
    }
    hwnd_ = nullptr;
}

SkinnedLabel* SkinnedLabel::Of(HWND control) {
    return static_cast<SkinnedLabel*>(::GetPropA(control, kLabelProperty));
}

HBRUSH SkinnedLabel::Color(HDC dc) const {
    ::SetTextColor(dc, text_);
    ::SetBkMode(dc, TRANSPARENT);
    // A transparent label on a plain dialog still repaints its background,
    // so changing texts leave no traces behind.
    return transparent_ ? static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)) : ::GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace ui
