#pragma once
// Skinned push buttons and labels. Both register themselves on their control
// with a window property; ui::Dialog finds them there and draws them when
// the control asks its parent (WM_DRAWITEM, WM_CTLCOLORSTATIC).
#include <windows.h>

#include "ui/gdi.h"

namespace ui {

struct ButtonLook {
    HICON icon = nullptr;  // not owned; drawn left of the text or above it
    bool iconAbove = false;
    bool hyperlink = false;  // underlined text, no frame
    bool transparent = false;  // the parent's background shows through
    COLORREF background = ::GetSysColor(COLOR_BTNFACE);
    COLORREF backgroundHover = ::GetSysColor(COLOR_BTNFACE);
    COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
    COLORREF textHover = ::GetSysColor(COLOR_BTNTEXT);
};

// An owner-drawn push button with an icon face, its own colours at rest and
// under the mouse (or pressed), and hover tracking.
class SkinnedButton {
public:
    SkinnedButton() = default;
    ~SkinnedButton() { Detach(); }
    SkinnedButton(const SkinnedButton&) = delete;
    SkinnedButton& operator=(const SkinnedButton&) = delete;

    void Attach(HWND button, const ButtonLook& look);
    void Detach();
    bool Hovered() const { return hovered_; }

    // Called by the parent dialog for WM_DRAWITEM of the button.
    void Draw(const DRAWITEMSTRUCT& item);
    // The font the caption is drawn in, and the part of the button's
    // rectangle the caption is drawn into (with the font selected into dc);
    // iconAt receives where the icon goes.
    HFONT TextFont() const;
    RECT TextRect(HDC dc, const RECT& rect, POINT* iconAt = nullptr) const;
    // The skinned button attached to a control, if any.
    static SkinnedButton* Of(HWND control);

private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static constexpr int kIconSize = 16;

    HWND hwnd_ = nullptr;
    ButtonLook look_;
    Font underlined_;
    bool hovered_ = false;
};

// A static text with its own font and colours.
class SkinnedLabel {
public:
    SkinnedLabel() = default;
    ~SkinnedLabel() { Detach(); }
    SkinnedLabel(const SkinnedLabel&) = delete;
    SkinnedLabel& operator=(const SkinnedLabel&) = delete;

    // Takes the dialog's font at the given weight.
    void Attach(HWND label, int weight, COLORREF text, bool transparent = false);
    void Detach();

    // Called by the parent dialog for WM_CTLCOLORSTATIC of the label.
    HBRUSH Color(HDC dc) const;
    static SkinnedLabel* Of(HWND control);

private:
    HWND hwnd_ = nullptr;
    Font font_;
    COLORREF text_ = 0;
    bool transparent_ = false;
};

}  // namespace ui
