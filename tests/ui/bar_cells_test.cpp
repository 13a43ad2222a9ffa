// Bars drawn with plain GDI: their widths against the largest amount, and
// the exact pixels they leave, alone and in a list's column.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <vector>

#include "support/memory_template.h"
#include "support/ui/canvas.h"
#include "ui/bar_cells.h"
#include "ui/dialog.h"
#include "ui/list_view.h"

namespace {

using testsupport::Canvas;

constexpr COLORREF kPaper = RGB(255, 255, 255);
const ui::BarLook kLook{RGB(10, 20, 200), RGB(220, 221, 222)};

TEST(BarWidth, GrowsWithTheAmountAndNeverHidesOneAboveZero) {
    const struct {
        uint64_t amount, largest;
        int track, expected;
    } cases[] = {
        {0, 100, 200, 0},
        {100, 100, 200, 200},
        {50, 100, 200, 100},
        {1, 3, 200, 67},                          // rounded to the nearest pixel
        {1, 1'000'000'000'000, 200, 1},           // tiny, but there
        {1ull << 62, (1ull << 62) + 1, 500, 500}, // no overflow for huge amounts
        {(1ull << 62) / 3, 1ull << 62, 300, 100},
        {7, 0, 200, 0},                           // nothing to compare with
        {200, 100, 150, 150},                     // never beyond the track
        {5, 10, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ui::BarWidth(c.amount, c.largest, c.track), c.expected) << c.amount << "/" << c.largest;
    }
}

// Row heights of a list at 96 and at 144 DPI, and a flat cell.
TEST(DrawBar, FillsExactlyItsTrackAndBarAndNothingElse) {
    const struct {
        RECT cell;
        uint64_t amount, largest;
    } cases[] = {
        {{10, 5, 110, 22}, 30, 60},
        {{0, 0, 160, 25}, 60, 60},
        {{3, 3, 90, 4}, 1, 1000},
        {{20, 10, 120, 27}, 0, 60},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.amount << "/" << c.largest << " in " << c.cell.right - c.cell.left << "x"
                                        << c.cell.bottom - c.cell.top);
        Canvas canvas(200, 40);
        ui::DrawBar(canvas.Dc(), c.cell, c.amount, c.largest, kLook);
        const ui::BarGeometry g = ui::BarIn(c.cell, c.amount, c.largest);
        EXPECT_EQ(g.bar.right - g.bar.left, ui::BarWidth(c.amount, c.largest, g.track.right - g.track.left));
        EXPECT_EQ(canvas.Stray(g.bar, kLook.bar), 0);
        RECT rest = g.track;
        rest.left = g.bar.right;
        EXPECT_EQ(canvas.Stray(rest, kLook.track), 0);
        // Above, below and beside the track the cell stays as it was.
        for (const RECT& outside : {RECT{0, 0, 200, g.track.top}, RECT{0, g.track.bottom, 200, 40},
                                    RECT{0, g.track.top, g.track.left, g.track.bottom},
                                    RECT{g.track.right, g.track.top, 200, g.track.bottom}}) {
            EXPECT_EQ(canvas.Stray(outside, kPaper), 0);
        }
    }
}

// A list whose third column holds bars, as the report's view by type and
// the finish page show them; painted into a bitmap as the screen would be.
class BarListDialog : public ui::Dialog {
public:
    ui::ListBarColumn bars;

protected:
    bool OnNotify(const NMHDR& header, LRESULT& result) override {
        if (header.code != NM_CUSTOMDRAW) return false;
        result = bars.OnCustomDraw(header);
        return true;
    }
};

TEST(ListBarColumn, DrawsEachRowsBarInItsCell) {
    testsupport::MemoryTemplate tmpl(WS_POPUP, 240, 80,
                                     {{100, "SysListView32", "", LVS_REPORT | LVS_NOCOLUMNHEADER, 0, 0, 240, 80}});
    BarListDialog dialog;
    HWND hwnd = dialog.CreateIndirect(nullptr, tmpl.Get());
    ASSERT_TRUE(hwnd);
    ui::ListView list(dialog.Item(100));
    for (int column = 0; column < 3; ++column) list.InsertColumn(column, "", 100);
    const std::vector<uint64_t> amounts = {400, 100, 0};
    for (size_t row = 0; row < amounts.size(); ++row) list.InsertItem(list.Count(), "type", 0);
    dialog.bars.Set(2, [&](int row) { return amounts[static_cast<size_t>(row)]; }, kLook);
    dialog.bars.SetLargest(400);

    RECT client{};
    ::GetClientRect(list.Hwnd(), &client);
    Canvas canvas(client.right, client.bottom);
    ::SendMessageA(list.Hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT | PRF_ERASEBKGND);
    for (size_t row = 0; row < amounts.size(); ++row) {
        SCOPED_TRACE(row);
        RECT cell{};
        ASSERT_TRUE(ListView_GetSubItemRect(list.Hwnd(), static_cast<int>(row), 2, LVIR_BOUNDS, &cell));
        const ui::BarGeometry g = ui::BarIn(cell, amounts[row], 400);
        EXPECT_EQ(g.bar.right - g.bar.left, (g.track.right - g.track.left) * static_cast<int>(amounts[row]) / 400);
        EXPECT_EQ(canvas.Stray(g.bar, kLook.bar), 0);
        RECT rest = g.track;
        rest.left = g.bar.right;
        EXPECT_EQ(canvas.Stray(rest, kLook.track), 0);
    }
    ::DestroyWindow(hwnd);
}

}  // namespace
