#include "options/skip_folders_page.h"

#include "options/option_rules.h"
#include "options/options_ids.h"
#include "text/language_table.h"
#include "ui/folder_browser.h"
#include "ui/shell_actions.h"

namespace options {

namespace {

// The skip list takes what the page grows by; the keep list below it keeps
// its height and moves with the bottom edge.
constexpr ui::LayoutRule kLayout[] = {
    {IDC_PAGE_ICON, ui::kAnchorTopLeft},       {IDC_PAGE_INFO, ui::kAnchorTopWide},
    {IDC_LIST_LABEL, ui::kAnchorTopLeft},      {IDC_ADD_ENTRY, ui::kAnchorTopRight},
    {IDC_DELETE_ENTRY, ui::kAnchorTopRight},   {IDC_SKIP_FOLDER_LIST, ui::kAnchorAll},
    {IDC_KEEP_LABEL, ui::kAnchorBottomLeft},   {IDC_KEEP_ADD, ui::kAnchorBottomRight},
    {IDC_KEEP_REMOVE, ui::kAnchorBottomRight}, {IDC_KEEP_LIST, ui::kAnchorBottomWide},
    {IDC_PAGE_DEFAULT, ui::kAnchorBottomRight},
};

}  // namespace

SkipFoldersPage::SkipFoldersPage(ui::FolderBrowser browse, ui::FileChooser chooseFile)
    : CheckListPage({IDC_SKIP_FOLDER_LIST, IDI_ANY_FOLDER, "_YouMustSelectaskipfolder"}),
      browse_(std::move(browse)),
      chooseFile_(std::move(chooseFile)) {}

bool SkipFoldersPage::OnInit() {
    InitPage(kLayout);
    AttachList();
    List().View().InsertColumn(0, text::LookupText("_FolderName"), 100);
    kept_.Attach(Item(IDC_KEEP_LIST));
    LoadPage(config::ValueSet::Custom);
    return false;
}

void SkipFoldersPage::FitColumns() const {
    List().View().SetColumnWidth(0, List().View().ClientWidth());
    if (kept_.View().Hwnd()) kept_.View().SetColumnWidth(0, kept_.View().ClientWidth());
}

void SkipFoldersPage::FillRows(config::ValueSet set) {
    for (const config::SkipFolder& entry : config::LoadSkipFolders(set)) {
        List().Insert(List().Count(), entry.folder, ui::SmallIconOfPath(entry.folder), entry.checked != 0);
    }
    kept_.Fill(config::LoadKeepList(set));
}

std::vector<config::SkipFolder> SkipFoldersPage::Rows() const {
    std::vector<config::SkipFolder> rows;
    for (int row = 0, count = List().Count(); row < count; ++row) {
        rows.push_back({List().View().Text(row, 0), List().View().Checked(row) ? 1 : 0});
    }
    return rows;
}

bool SkipFoldersPage::SavePage() {
    // Both lists are saved even when the first fails: each save keeps the
    // file whole, and the options dialog tells one failure for all pages.
    const bool skipSaved = config::SaveSkipFolders(Rows());
    const bool keepSaved = config::SaveKeepList(kept_.Rows());
    return skipSaved && keepSaved;
}

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

void SkipFoldersPage::AddKept(std::optional<std::string> path, bool folder) {
    if (!path) return;
    if (!kept_.Add({*path, folder})) ::MessageBeep(MB_ICONEXCLAMATION);
}

void SkipFoldersPage::RemoveKept() {
    if (!kept_.RemoveSelected()) ui::ShowMessage(TopWindow(), "_kpSelectFirst", MB_OK | MB_ICONEXCLAMATION);
}

void SkipFoldersPage::RunKeepCommand(int command) {
    switch (command) {
        case kKeepAddFile: AddKept(chooseFile_(), false); break;
        case kKeepAddFolder: AddKept(browse_(), true); break;
        case kKeepRemove: RemoveKept(); break;
        default: break;
    }
}

bool SkipFoldersPage::OnCommand(int id, int code, HWND control) {
    switch (id) {
        case IDC_KEEP_ADD:
            if (IsIconClick(code)) RunKeepCommand(ui::TrackPopupMenuAtCursor(Hwnd(), KeepListMenu(false, false)));
            return true;
        case IDC_KEEP_REMOVE:
            if (IsIconClick(code)) RemoveKept();
            return true;
        default:
            return CheckListPage::OnCommand(id, code, control);
    }
}

bool SkipFoldersPage::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.idFrom != IDC_KEEP_LIST) return CheckListPage::OnNotify(header, result);
    if (header.code == NM_RCLICK) {
        RunKeepCommand(ui::TrackPopupMenuAtCursor(Hwnd(), KeepListMenu(true, kept_.View().Selected() >= 0)));
        result = 1;
        return true;
    }
    if (header.code == LVN_KEYDOWN && reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE) {
        RemoveKept();
        return true;
    }
    return false;
}

bool SkipFoldersPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND list = kept_.View().Hwnd();
    if (message == WM_CONTEXTMENU && ui::IsKeyboardMenuRequest(list, wParam, lParam)) {
        RunKeepCommand(ui::TrackPopupMenuAt(Hwnd(), KeepListMenu(true, kept_.View().Selected() >= 0),
                                            ui::KeyboardMenuPoint(list)));
        return true;
    }
    return CheckListPage::OnMessage(message, wParam, lParam, result);
}

}  // namespace options
