#pragma once
// Horizontal bars that show amounts against the largest of them, drawn with
// plain GDI rectangles (which render exactly on every system, with or
// without themes), and a report-view list column that shows such a bar in
// each row's cell.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>

namespace ui {

struct BarLook {
    COLORREF bar = RGB(0, 120, 215);
    COLORREF track = RGB(230, 230, 230);
};

// The width of a bar for amount in a track trackWidth pixels wide that the
// largest amount fills: rounded to the nearest pixel, at least one pixel for
// any amount above zero, none for zero, never wider than the track.
int BarWidth(uint64_t amount, uint64_t largest, int trackWidth);

// Where a bar goes in a cell: the track is the cell less a margin of a fifth
// of its height on every side (so that it scales with the row height, and
// so with the screen's resolution); the bar starts at the track's left.
struct BarGeometry {
    RECT track;
    RECT bar;
};
BarGeometry BarIn(const RECT& cell, uint64_t amount, uint64_t largest);

// Fills the track and then the bar.
void DrawBar(HDC dc, const RECT& cell, uint64_t amount, uint64_t largest, const BarLook& look = {});

// A column of a report-view list whose cells hold bars. The list draws its
// rows as usual (the column's own texts are empty); once a row is drawn,
// the bar is drawn over the column's cell.
class ListBarColumn {
public:
    using AmountOf = std::function<uint64_t(int row)>;

    void Set(int column, AmountOf amountOf, BarLook look = {}) {
        column_ = column;
        amountOf_ = std::move(amountOf);
        look_ = look;
    }
    // The amount that fills a whole cell.
    void SetLargest(uint64_t largest) { largest_ = largest; }

    // The answer to NM_CUSTOMDRAW from the list.
    LRESULT OnCustomDraw(const NMHDR& header) const;

private:
    int column_ = -1;
    AmountOf amountOf_;
    BarLook look_;
    uint64_t largest_ = 0;
};

}  // namespace ui
