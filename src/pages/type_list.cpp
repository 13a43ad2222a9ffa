#include "pages/type_list.h"

#include <algorithm>
#include <iterator>

#include "pages/column_shares.h"
#include "text/size_text.h"

namespace pages {

namespace {

enum Column : int { kFoundAsColumn, kFilesColumn, kSizeColumn, kShareColumn };

constexpr ColumnLook kColumns[] = {
    {"_rptColFoundAs", LVCFMT_LEFT},
    {"_rptColFiles", LVCFMT_RIGHT},
    {"_rptColSize", LVCFMT_RIGHT},
    {"_rptColShare", LVCFMT_LEFT},
};
constexpr double kColumnShares[] = {0.4, 0.13, 0.17, 0.3};
static_assert(std::size(kColumns) == std::size(kColumnShares));

int StateImageOf(TickState ticks) {
    switch (ticks) {
        case TickState::None: return 1;
        case TickState::All: return 2;
        case TickState::Some: break;
    }
    return ui::ListView::kPartlyTicked;
}

}  // namespace

void TypeList::Attach(HWND list, bool checkBoxes) {
    list_.Attach(list);
    checkBoxes_ = checkBoxes;
    InsertColumns(list_, kColumns);
    list_.SetExtendedStyle(LVS_EX_FULLROWSELECT | (checkBoxes ? LVS_EX_CHECKBOXES : 0));
    if (checkBoxes) {
        // The ticks are the session's: the list asks for them as for the texts.
        list_.AddPartlyTickedImage();
        ListView_SetCallbackMask(list, LVIS_STATEIMAGEMASK);
    }
    bars_.Set(kShareColumn, [this](int row) {
        return row >= 0 && static_cast<size_t>(row) < rows_.size() ? rows_[static_cast<size_t>(row)].bytes : 0;
    });
}

void TypeList::Show(std::vector<Row> rows) {
    rows_ = std::move(rows);
    uint64_t largest = 0;
    for (const Row& row : rows_) largest = std::max(largest, row.bytes);
    bars_.SetLargest(largest);
    if (!list_.Hwnd()) return;
    ListView_SetItemCountEx(list_.Hwnd(), static_cast<int>(rows_.size()), 0);
    ::InvalidateRect(list_.Hwnd(), nullptr, TRUE);
}

void TypeList::SetTicks(size_t row, TickState ticks) {
    if (row >= rows_.size()) return;
    rows_[row].ticks = ticks;
    ListView_RedrawItems(list_.Hwnd(), static_cast<int>(row), static_cast<int>(row));
}

void TypeList::FitColumns() const { FitColumnShares(list_, kColumnShares); }

bool TypeList::OnNotify(const NMHDR& header, LRESULT& result) {
    switch (header.code) {
        case LVN_GETDISPINFOA:
        case LVN_GETDISPINFOW:
            GiveRow(ui::AskedItem(header), ui::AsksWide(header));
            return true;
        case NM_CUSTOMDRAW:
            result = bars_.OnCustomDraw(header);
            return true;
        default:
            return false;
    }
}

void TypeList::GiveRow(LVITEMA& item, bool wide) const {
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= rows_.size()) return;
    const Row& row = rows_[static_cast<size_t>(item.iItem)];
    if ((item.mask & LVIF_STATE) && checkBoxes_) {
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(StateImageOf(row.ticks));
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
    if (!ui::AsksText(item)) return;
    switch (item.iSubItem) {
        case kFoundAsColumn: ui::GiveText(item, row.foundAs, wide); break;
        case kFilesColumn: ui::GiveText(item, std::to_string(row.files), wide); break;
        case kSizeColumn: ui::GiveText(item, text::FormatSize(row.bytes), wide); break;
        default: ui::GiveText(item, {}, wide); break;  // the bar's cell
    }
}

std::vector<TypeList::Row> TypeRowsOf(const Session& session) {
    const std::vector<std::string>& texts = session.Findings().FoundAsTexts();
    std::vector<TypeList::Row> rows;
    for (const TypeTotal& total : TotalsOf(session)) {
        rows.push_back({total.type, texts[total.type], total.files, total.bytes, total.Ticks()});
    }
    return rows;
}

std::vector<TypeList::Row> TypeRowsOf(const clean::CleanResult& result) {
    std::vector<TypeList::Row> rows;
    for (CleanedType& type : CleanedByType(result)) {
        rows.push_back({rows.size(), std::move(type.foundAs), type.files, type.bytes, TickState::All});
    }
    return rows;
}

}  // namespace pages
