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

JunkTypesPage::JunkTypesPage() : CheckListPage({IDC_JUNK_LIST, IDI_ANY_FILE, "_Pleaseselectacategory"}) {}

bool JunkTypesPage::OnInit() {
    InitPage(kLayout);
    AttachList();
    List().View().InsertColumn(kPatternColumn, text::LookupText("_JunkName"), 100);
    List().View().InsertColumn(kDescriptionColumn, text::LookupText("_JunkDescription"), 100);
    LoadPage(config::ValueSet::Custom);
    return false;
}

void JunkTypesPage::FitColumns() const {
    int width = List().View().ClientWidth();
    List().View().SetColumnWidth(kPatternColumn, width * 30 / 100);
    List().View().SetColumnWidth(kDescriptionColumn, width * 70 / 100);
}

void JunkTypesPage::FillRows(config::ValueSet set) {
    for (const config::JunkType& entry : config::LoadJunkTypes(set)) {
        int row = List().Insert(List().Count(), entry.pattern, ui::SmallIconOfFileName(entry.pattern),
                                entry.checked != 0);
        List().View().SetText(row, kDescriptionColumn, entry.description);
    }
}

std::vector<config::JunkType> JunkTypesPage::Rows() const {
    std::vector<config::JunkType> rows;
    for (int row = 0, count = List().Count(); row < count; ++row) {
        rows.push_back({List().View().Text(row, kPatternColumn), List().View().Text(row, kDescriptionColumn),
                        List().View().Checked(row) ? 1 : 0});
    }
    return rows;
}

bool JunkTypesPage::SavePage() { return config::SaveJunkTypes(Rows()); }

void JunkTypesPage::Add() {
    JunkTypeEditor editor("_AddJunkFileDialogCaption", "", "");
    if (editor.Run(TopWindow()) != IDOK) return;
    int row = List().Insert(0, editor.FileName(), ui::SmallIconOfFileName(editor.FileName()), true);
    List().View().SetText(row, kDescriptionColumn, editor.Description());
    ListView_EnsureVisible(List().View().Hwnd(), row, FALSE);
}

void JunkTypesPage::Edit() {
    int row = List().Selected();
    if (row < 0) return;
    JunkTypeEditor editor("_ModifyJunkFileDialogCaption", List().View().Text(row, kPatternColumn),
                          List().View().Text(row, kDescriptionColumn));
    if (editor.Run(TopWindow()) != IDOK) return;
    // The row keeps its icon and its check box until the list is filled anew.
    List().View().SetText(row, kPatternColumn, editor.FileName());
    List().View().SetText(row, kDescriptionColumn, editor.Description());
}

std::vector<ui::MenuEntry> JunkTypesPage::Menu(bool rowSelected) const { return JunkTypeMenu(rowSelected); }

void JunkTypesPage::RunMenuCommand(int command) {
    switch (command) {
        case kJunkAdd: Add(); break;
        case kJunkDelete: Delete(); break;
        case kJunkEdit: Edit(); break;
        case kJunkCheckAll: List().CheckAll(true); break;
        case kJunkUncheckAll: List().CheckAll(false); break;
        default: break;
    }
}

}  // namespace options
