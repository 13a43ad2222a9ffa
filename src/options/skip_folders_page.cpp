#include "options/skip_folders_page.h"

#include "options/option_rules.h"
#include "options/options_ids.h"
#include "text/language_table.h"
#include "ui/folder_browser.h"
#include "ui/shell_actions.h"

namespace options {

namespace {

constexpr ui::LayoutRule kLayout[] = {
    {IDC_PAGE_ICON, ui::kAnchorTopLeft},     {IDC_PAGE_INFO, ui::kAnchorTopWide},
    {IDC_LIST_LABEL, ui::kAnchorTopLeft},    {IDC_ADD_ENTRY, ui::kAnchorTopRight},
    {IDC_DELETE_ENTRY, ui::kAnchorTopRight}, {IDC_SKIP_FOLDER_LIST, ui::kAnchorAll},
    {IDC_PAGE_DEFAULT, ui::kAnchorBottomRight},
};

}  // namespace

SkipFoldersPage::SkipFoldersPage(ui::FolderBrowser browse)
    : CheckListPage({IDC_SKIP_FOLDER_LIST, IDI_ANY_FOLDER, "_YouMustSelectaskipfolder"}), browse_(std::move(browse)) {}

bool SkipFoldersPage::OnInit() {
    InitPage(kLayout);
    AttachList();
    List().View().InsertColumn(0, text::LookupText("_FolderName"), 100);
    LoadPage(config::ValueSet::Custom);
    return false;
}

void SkipFoldersPage::FitColumns() const { List().View().SetColumnWidth(0, List().View().ClientWidth()); }

void SkipFoldersPage::FillRows(config::ValueSet set) {
    for (const config::SkipFolder& entry : config::LoadSkipFolders(set)) {
        List().Insert(List().Count(), entry.folder, ui::SmallIconOfPath(entry.folder), entry.checked != 0);
    }
}

std::vector<config::SkipFolder> SkipFoldersPage::Rows() const {
    std::vector<config::SkipFolder> rows;
    for (int row = 0, count = List().Count(); row < count; ++row) {
        rows.push_back({List().View().Text(row, 0), List().View().Checked(row) ? 1 : 0});
    }
    return rows;
}

bool SkipFoldersPage::SavePage() { return config::SaveSkipFolders(Rows()); }

void SkipFoldersPage::Add() {
    std::optional<std::string> folder = browse_();
    if (!folder) return;
    int row = List().Insert(List().Count(), *folder, ui::SmallIconOfPath(*folder), true);
    if (row >= 0) ListView_EnsureVisible(List().View().Hwnd(), row, FALSE);
}

std::vector<ui::MenuEntry> SkipFoldersPage::Menu(bool rowSelected) const { return SkipFolderMenu(rowSelected); }

void SkipFoldersPage::RunMenuCommand(int command) {
    switch (command) {
        case kSkipFolderAdd: Add(); break;
        case kSkipFolderDelete: Delete(); break;
        default: break;
    }
}

}  // namespace options
