#include "pages/not_cleaned_dialog.h"

#include <commctrl.h>


#include "pages/column_shares.h"
#include "pages/resource_ids.h"
#include "platform/codepage.h"
#include "text/language_table.h"

namespace pages {

namespace {

constexpr ui::LayoutRule kLayout[] = {
    {IDC_PG_PAGE_INFO, ui::kAnchorTopWide},
    {IDC_PG_LIST, ui::kAnchorAll},
    {IDC_PG_OPEN_LOG, ui::kAnchorBottomLeft},
    {IDCANCEL, ui::kAnchorBottomRight},
};

constexpr const char* kColumnKeys[] = {"_ncColFile", "_ncColSize", "_ncColReason"};
// The reason gets room for its longest text; a long path may be cut.
constexpr double kColumnShares[] = {0.46, 0.12, 0.40};

}  // namespace

NotCleanedDialog::NotCleanedDialog(std::vector<NotCleanedRow> rows, std::string logPath, FileOpener openFile)
    : rows_(std::move(rows)), logPath_(std::move(logPath)), openFile_(std::move(openFile)) {}

INT_PTR NotCleanedDialog::Show(HWND owner) { return RunModal(owner, IDD_PG_NOT_CLEANED); }

bool NotCleanedDialog::OnInit() {
    ui::CenterWindow(Hwnd(), ::GetWindow(Hwnd(), GW_OWNER));
    text::TranslateWindow(Hwnd());
    layout_.Init(Hwnd(), kLayout, true);
    list_.Attach(Item(IDC_PG_LIST));
    for (int column = 0; column < 3; ++column) list_.InsertColumn(column, text::LookupText(kColumnKeys[column]), 100);
    list_.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    FitColumnShares(list_, kColumnShares);
    ListView_SetItemCountEx(list_.Hwnd(), static_cast<int>(rows_.size()), 0);
    EnableItem(IDC_PG_OPEN_LOG, !logPath_.empty());
    return true;
}

const std::string* NotCleanedDialog::Cell(int row, int column) const {
    if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return nullptr;
    const NotCleanedRow& cells = rows_[static_cast<size_t>(row)];
    switch (column) {
        case 0:
            return &cells.path;
        case 1:
            return &cells.size;
        case 2:
            return &cells.reason;
        default:
            return nullptr;
    }
}

bool NotCleanedDialog::OnCommand(int id, int, HWND) {
    switch (id) {
        case IDC_PG_OPEN_LOG:
            if (!logPath_.empty() && openFile_) openFile_(logPath_);
            return true;
        case IDCANCEL:
            End(IDCANCEL);
            return true;
        default:
            return false;
    }
}

bool NotCleanedDialog::OnNotify(const NMHDR& header, LRESULT&) {
    if (header.idFrom != IDC_PG_LIST) return false;
    // The list asks in the form its parent chose; both are served.
    if (header.code == LVN_GETDISPINFOA) {
        auto& item = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header)).item;
        const std::string* cell = Cell(item.iItem, item.iSubItem);
        if ((item.mask & LVIF_TEXT) && cell && item.pszText && item.cchTextMax > 0) {
            ::lstrcpynA(item.pszText, cell->c_str(), item.cchTextMax);
        }
        return true;
    }
    if (header.code == LVN_GETDISPINFOW) {
        auto& item = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header)).item;
        const std::string* cell = Cell(item.iItem, item.iSubItem);
        if ((item.mask & LVIF_TEXT) && cell && item.pszText && item.cchTextMax > 0) {
            wideCell_ = platform::ToWide(*cell);
            ::lstrcpynW(item.pszText, wideCell_.c_str(), item.cchTextMax);
        }
        return true;
    }
    return false;
}

void NotCleanedDialog::OnSize(int width, int height) {
    layout_.Apply(width, height);
    FitColumnShares(list_, kColumnShares);
}

}  // namespace pages
