#include "ui/layout.h"

namespace ui {

RECT AnchoredRect(const RECT& original, int anchors, int dx, int dy) {
    RECT r = original;
    if (anchors & kAnchorRight) {
        r.right += dx;
        if (!(anchors & kAnchorLeft)) r.left += dx;
    }
    if (anchors & kAnchorBottom) {
        r.bottom += dy;
        if (!(anchors & kAnchorTop)) r.top += dy;
    }
    return r;
}

void Layout::Init(HWND dialog, const LayoutRule* rules, size_t count, bool sizeGrip) {
    dialog_ = dialog;
    items_.clear();
    RECT client{};
    ::GetClientRect(dialog, &client);
    initial_ = {client.right, client.bottom};
    auto add = [this, dialog](HWND control, int anchors) {
        if (!control) return;
        RECT r{};
        ::GetWindowRect(control, &r);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        items_.push_back({control, r, anchors});
    };
    for (size_t i = 0; i < count; ++i) add(::GetDlgItem(dialog, rules[i].id), rules[i].anchors);
    if (sizeGrip) {
        int cx = ::GetSystemMetrics(SM_CXVSCROLL), cy = ::GetSystemMetrics(SM_CYHSCROLL);
        HWND grip = ::CreateWindowExA(0, "SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN,
                                      client.right - cx, client.bottom - cy, cx, cy, dialog, nullptr,
                                      ::GetModuleHandleA(nullptr), nullptr);
        add(grip, kAnchorBottomRight);
    }
}

void Layout::Apply(int width, int height) const {
    if (!dialog_ || items_.empty() || width <= 0 || height <= 0) return;
    const int dx = width - initial_.cx, dy = height - initial_.cy;
    HDWP batch = ::BeginDeferWindowPos(static_cast<int>(items_.size()));
    for (const Item& item : items_) {
        RECT r = AnchoredRect(item.rect, item.anchors, dx, dy);
        if (batch) {
            batch = ::DeferWindowPos(batch, item.control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                     SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (batch) ::EndDeferWindowPos(batch);
}

}  // namespace ui
