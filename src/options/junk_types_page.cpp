#include "options/junk_types_page.h"

#include "options/junk_type_editor.h"
#include "options/option_rules.h"
#include "options/options_ids.h"
#include "text/language_table.h"
#include "ui/shell_actions.h"

namespace options {

namespace {

constexpr ui::LayoutRule kLayout[] = {
    {IDC_PAGE_ICON, ui::kAnchorTopLeft},     {IDC_PAGE_INFO, ui::kAnchorTopWide},
    {IDC_LIST_LABEL, ui::kAnchorTopLeft},    {IDC_ADD_ENTRY, ui::kAnchorTopRight},
    {IDC_DELETE_ENTRY, ui::kAnchorTopRight}, {IDC_JUNK_LIST, ui::kAnchorAll},
    {IDC_PAGE_DEFAULT, ui::kAnchorBottomRight},
};

constexpr int kPatternColumn = 0;
constexpr int kDescriptionColumn = 1;

}  // namespace

bool JunkTypesPage::OnInit() {
    InitPage(kLayout);
    list_.Attach(Item(IDC_JUNK_LIST), IDI_ANY_FILE);
    list_.View().InsertColumn(kPatternColumn, text::LookupText("_JunkName"), 100);
    list_.View().InsertColumn(kDescriptionColumn, text::LookupText("_JunkDescription"), 100);
    LoadPage(config::ValueSet::Custom);
    return false;
}

void JunkTypesPage::OnSize(int width, int height) {
    OptionPage::OnSize(width, height);
    FitColumns();
}

void JunkTypesPage::FitColumns() const {
    if (!list_.View().Hwnd()) return;
    int width = list_.View().ClientWidth();
    list_.View().SetColumnWidth(kPatternColumn, width * 30 / 100);
    list_.View().SetColumnWidth(kDescriptionColumn, width * 70 / 100);
}

void JunkTypesPage::LoadPage(config::ValueSet set) {
    int previous = list_.Selected();
    list_.Clear();
    for (const config::JunkType& entry : config::LoadJunkTypes(set)) {
        int row =
            list_.Insert(list_.Count(), entry.pattern, ui::SmallIconOfFileName(entry.pattern), entry.checked != 0);
        list_.View().SetText(row, kDescriptionColumn, entry.description);
    }
    list_.SelectRow(RowAfterReload(previous, list_.Count()));
}

std::vector<config::JunkType> JunkTypesPage::Rows() const {
    std::vector<config::JunkType> rows;
    for (int row = 0, count = list_.Count(); row < count; ++row) {
        rows.push_back({list_.View().Text(row, kPatternColumn), list_.View().Text(row, kDescriptionColumn),
                        list_.View().Checked(row) ? 1 : 0});
    }
    return rows;
}

void JunkTypesPage::SavePage() { config::SaveJunkTypes(Rows()); }

void JunkTypesPage::Add() {
    JunkTypeEditor editor("_AddJunkFileDialogCaption", "", "");
    if (editor.Run(TopWindow()) != IDOK) return;
    int row = list_.Insert(0, editor.FileName(), ui::SmallIconOfFileName(editor.FileName()), true);
    list_.View().SetText(row, kDescriptionColumn, editor.Description());
    ListView_EnsureVisible(list_.View().Hwnd(), row, FALSE);
}

void JunkTypesPage::Edit() {
    int row = list_.Selected();
    if (row < 0) return;
    JunkTypeEditor editor("_ModifyJunkFileDialogCaption", list_.View().Text(row, kPatternColumn),
                          list_.View().Text(row, kDescriptionColumn));
    if (editor.Run(TopWindow()) != IDOK) return;
    // The row keeps its icon and its check box until the list is filled anew.
    list_.View().SetText(row, kPatternColumn, editor.FileName());
    list_.View().SetText(row, kDescriptionColumn, editor.Description());
}

void JunkTypesPage::Delete() {
    int row = list_.Selected();
    if (row < 0) {
        ui::ShowMessage(TopWindow(), "_Pleaseselectacategory", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    list_.View().DeleteItem(row);
    list_.SelectRow(RowAfterDelete(row, list_.Count()));
}

void JunkTypesPage::RunMenuCommand(int command) {
    switch (command) {
        case kJunkAdd: Add(); break;
        case kJunkDelete: Delete(); break;
        case kJunkEdit: Edit(); break;
        case kJunkCheckAll: list_.CheckAll(true); break;
        case kJunkUncheckAll: list_.CheckAll(false); break;
        default: break;
    }
}

void JunkTypesPage::ShowContextMenu() {
    RunMenuCommand(ui::TrackPopupMenuAtCursor(Hwnd(), JunkTypeMenu(list_.Selected() >= 0)));
}

bool JunkTypesPage::OnCommand(int id, int code, HWND) {
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

bool JunkTypesPage::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.idFrom != IDC_JUNK_LIST) return false;
    if (header.code == NM_RCLICK) {
        ShowContextMenu();
        result = 1;
        return true;
    }
    if (header.code == LVN_KEYDOWN && reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE) {
        Delete();
        return true;
    }
    return false;
}

}  // namespace options
