#pragma once
// Text and background colours per row of a report-view list, drawn through
// the list's custom-draw notifications.
#include <windows.h>
#include <commctrl.h>

#include <vector>

namespace ui {

struct RowColor {
    COLORREF text;
    COLORREF background;
};

class ListRowColors {
public:
    // The colours of rows without their own.
    void SetDefault(RowColor color) { default_ = color; hasDefault_ = true; }
    void Set(int row, RowColor color);
    void Clear() {
        rows_.clear();
        hasRow_.clear();
    }
    // The answer to NM_CUSTOMDRAW from the list.
    LRESULT OnCustomDraw(const NMHDR& header) const;

private:
    std::vector<RowColor> rows_;
    std::vector<bool> hasRow_;
    RowColor default_{};
    bool hasDefault_ = false;
};

}  // namespace ui
