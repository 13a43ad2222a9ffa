#include "options/check_list_page.h"

#include "options/option_rules.h"
#include "options/options_ids.h"
#include "ui/shell_actions.h"

namespace options {

void CheckListPage::LoadPage(config::ValueSet set) {
    int previous = list_.Selected();
    list_.Clear();
    FillRows(set);
    list_.SelectRow(RowAfterReload(previous, list_.Count()));
}

void CheckListPage::Delete() {
    int row = list_.Selected();
    if (row < 0) {
        ui::ShowMessage(TopWindow(), setup_.selectFirstKey, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    list_.View().DeleteItem(row);
    list_.SelectRow(RowAfterDelete(row, list_.Count()));
}

void CheckListPage::OnSize(int width, int height) {
    OptionPage::OnSize(width, height);
    if (list_.View().Hwnd()) FitColumns();
}

bool CheckListPage::OnCommand(int id, int code, HWND) {
    switch (id) {
        case IDC_ADD_ENTRY:
            if (IsIconClick(code)) Add();
            return true;
        case IDC_DELETE_ENTRY:
            if (IsIconClick(code)) Delete();
            return true;
        case IDC_PAGE_DEFAULT:
            if (code == BN_CLICKED) LoadPage(config::ValueSet::Default);
            return true;
        default:
            return false;
    }
}

bool CheckListPage::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.idFrom != static_cast<UINT_PTR>(setup_.listId)) return false;
    if (header.code == NM_RCLICK) {
        RunMenuCommand(ui::TrackPopupMenuAtCursor(Hwnd(), Menu(list_.Selected() >= 0)));
        result = 1;
        return true;
    }
    if (header.code == LVN_KEYDOWN && reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE) {
        Delete();
        return true;
    }
    return false;
}

bool CheckListPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
    HWND list = list_.View().Hwnd();
    if (message != WM_CONTEXTMENU || !ui::IsKeyboardMenuRequest(list, wParam, lParam)) return false;
    RunMenuCommand(ui::TrackPopupMenuAt(Hwnd(), Menu(list_.Selected() >= 0), ui::KeyboardMenuPoint(list)));
    return true;
}

}  // namespace options
