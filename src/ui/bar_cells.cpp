#include "ui/bar_cells.h"

#include <algorithm>
#include <cmath>

#include "ui/gdi.h"

namespace ui {

int BarWidth(uint64_t amount, uint64_t largest, int trackWidth) {
    if (amount == 0 || largest == 0 || trackWidth <= 0) return 0;
    if (amount >= largest) return trackWidth;
    // In floating point: amount times width overflows 64 bits for amounts
    // of some exabytes, and the rounding is to a whole pixel anyway.
    const double exact = static_cast<double>(amount) / static_cast<double>(largest) * trackWidth;
    return std::clamp(static_cast<int>(std::lround(exact)), 1, trackWidth);
}

BarGeometry BarIn(const RECT& cell, uint64_t amount, uint64_t largest) {
    const int margin = std::max<int>(1, (cell.bottom - cell.top) / 5);
    BarGeometry g{};
    g.track = {cell.left + margin, cell.top + margin, cell.right - margin, cell.bottom - margin};
    if (g.track.right < g.track.left) g.track.right = g.track.left;
    if (g.track.bottom < g.track.top) g.track.bottom = g.track.top;
    g.bar = g.track;
    g.bar.right = g.track.left + BarWidth(amount, largest, g.track.right - g.track.left);
    return g;
}

void DrawBar(HDC dc, const RECT& cell, uint64_t amount, uint64_t largest, const BarLook& look) {
    const BarGeometry g = BarIn(cell, amount, largest);
    Brush track(::CreateSolidBrush(look.track));
    Brush bar(::CreateSolidBrush(look.bar));
    if (track) ::FillRect(dc, &g.track, track.Get());
    if (bar && g.bar.right > g.bar.left) ::FillRect(dc, &g.bar, bar.Get());
}

LRESULT ListBarColumn::OnCustomDraw(const NMHDR& header) const {
    const auto& draw = reinterpret_cast<const NMLVCUSTOMDRAW&>(header);
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            return CDRF_NOTIFYPOSTPAINT;
        case CDDS_ITEMPOSTPAINT: {
            if (column_ < 0 || !amountOf_) return CDRF_DODEFAULT;
            const int row = static_cast<int>(draw.nmcd.dwItemSpec);
            RECT cell{};
            if (!ListView_GetSubItemRect(header.hwndFrom, row, column_, LVIR_BOUNDS, &cell)) return CDRF_DODEFAULT;
            DrawBar(draw.nmcd.hdc, cell, amountOf_(row), largest_, look_);
            return CDRF_DODEFAULT;
        }
        default:
            return CDRF_DODEFAULT;
    }
}

}  // namespace ui
