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

bool SkipFoldersPage::OnInit() {
    InitPage(kLayout);
    list_.Attach(Item(IDC_SKIP_FOLDER_LIST), IDI_ANY_FOLDER);
    list_.View().InsertColumn(0, text::LookupText("_FolderName"), 100);
    LoadPage(config::ValueSet::Custom);
    return false;
}

void SkipFoldersPage::OnSize(int width, int height) {
    OptionPage::OnSize(width, height);
    FitColumn();
}

void SkipFoldersPage::FitColumn() const {
    if (list_.View().Hwnd()) list_.View().SetColumnWidth(0, list_.View().ClientWidth());
}

void SkipFoldersPage::LoadPage(config::ValueSet set) {
    int previous = list_.Selected();
    list_.Clear();
    for (const config::SkipFolder& entry : config::LoadSkipFolders(set)) {
        list_.Insert(list_.Count(), entry.folder, ui::SmallIconOfPath(entry.folder), entry.checked != 0);
    }
    list_.SelectRow(RowAfterReload(previous, list_.Count()));
}

std::vector<config::SkipFolder> SkipFoldersPage::Rows() const {
    std::vector<config::SkipFolder> rows;
    for (int row = 0, count = list_.Count(); row < count; ++row) {
        rows.push_back({list_.View().Text(row, 0), list_.View().Checked(row) ? 1 : 0});
    }
    return rows;
}

void SkipFoldersPage::SavePage() { config::SaveSkipFolders(Rows()); }

void SkipFoldersPage::Add() {
    std::optional<std::string> folder = ui::BrowseForFolder();
    if (!folder) return;
    int row = list_.Insert(list_.Count(), *folder, ui::SmallIconOfPath(*folder), true);
    if (row >= 0) ListView_EnsureVisible(list_.View().Hwnd(), row, FALSE);
}

void SkipFoldersPage::Delete() {
    int row = list_.Selected();
    if (row < 0) {
        ui::ShowMessage(TopWindow(), "_YouMustSelectaskipfolder", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    list_.View().DeleteItem(row);
    list_.SelectRow(RowAfterDelete(row, list_.Count()));
}

void SkipFoldersPage::ShowContextMenu() {
    switch (ui::TrackPopupMenuAtCursor(Hwnd(), SkipFolderMenu(list_.Selected() >= 0))) {
        case kSkipFolderAdd: Add(); break;
        case kSkipFolderDelete: Delete(); break;
        default: break;
    }
}

bool SkipFoldersPage::OnCommand(int id, int code, HWND) {
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

bool SkipFoldersPage::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.idFrom != IDC_SKIP_FOLDER_LIST) return false;
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
