#pragma once
// Keeps a dialog's controls in place when it is resized: each control is
// anchored to some of the dialog's edges and keeps its distance to them.
#include <windows.h>

#include <vector>

namespace ui {

enum Anchor : int {
    kAnchorLeft = 1,
    kAnchorTop = 2,
    kAnchorRight = 4,
    kAnchorBottom = 8,
    kAnchorTopLeft = kAnchorLeft | kAnchorTop,
    kAnchorTopRight = kAnchorRight | kAnchorTop,
    kAnchorBottomLeft = kAnchorLeft | kAnchorBottom,
    kAnchorBottomRight = kAnchorRight | kAnchorBottom,
    kAnchorTopWide = kAnchorLeft | kAnchorRight | kAnchorTop,
    kAnchorBottomWide = kAnchorLeft | kAnchorRight | kAnchorBottom,
    kAnchorAll = kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom,
};

struct LayoutRule {
    int id;
    int anchors;
};

// Where a rectangle goes when its container grows by (dx, dy).
RECT AnchoredRect(const RECT& original, int anchors, int dx, int dy);

class Layout {
public:
    // Records the dialog's client size and the controls' rectangles now.
    void Init(HWND dialog, const LayoutRule* rules, size_t count, bool sizeGrip = false);
    template <size_t N>
    void Init(HWND dialog, const LayoutRule (&rules)[N], bool sizeGrip = false) {
        Init(dialog, rules, N, sizeGrip);
    }
    // Moves the controls for a new client size (call from WM_SIZE).
    void Apply(int width, int height) const;

private:
    struct Item {
        HWND control;
        RECT rect;
        int anchors;
    };
    HWND dialog_ = nullptr;
    SIZE initial_{};
    std::vector<Item> items_;
};

}  // namespace ui
