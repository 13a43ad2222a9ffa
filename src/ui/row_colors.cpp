#include "ui/row_colors.h"

namespace ui {

void ListRowColors::Set(int row, RowColor color) {
    if (row < 0) return;
    auto index = static_cast<size_t>(row);
    if (index >= rows_.size()) {
        rows_.resize(index + 1);
        hasRow_.resize(index + 1, false);
    }
    rows_[index] = color;
    hasRow_[index] = true;
}

LRESULT ListRowColors::OnCustomDraw(const NMHDR& header) const {
    auto& draw = const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header));
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT: {
            auto row = static_cast<size_t>(draw.nmcd.dwItemSpec);
            if (row < rows_.size() && hasRow_[row]) {
                draw.clrText = rows_[row].text;
                draw.clrTextBk = rows_[row].background;
            } else if (hasDefault_) {
                draw.clrText = default_.text;
                draw.clrTextBk = default_.background;
            }
            return CDRF_DODEFAULT;
        }
        default:
            return CDRF_DODEFAULT;
    }
}

}  // namespace ui
