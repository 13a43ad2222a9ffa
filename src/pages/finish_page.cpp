#include "pages/finish_page.h"

#include <utility>

#include "pages/clean_result_text.h"
#include "pages/column_shares.h"
#include "pages/drive_listing.h"
#include "pages/not_cleaned_dialog.h"
#include "pages/resource_ids.h"
#include "text/language_table.h"
#include "ui/shell_actions.h"

namespace pages {

namespace {

constexpr ui::LayoutRule kLayout[] = {
    {IDC_PG_PAGE_HEADER, ui::kAnchorTopWide},
    {IDC_PG_START_NEW_TASK, ui::kAnchorTopLeft},
    {IDC_PG_RESULT_LINE, ui::kAnchorTopWide},
    {IDC_PG_NOT_CLEANED, ui::kAnchorTopLeft},
    {IDC_PG_TYPE_LIST, ui::kAnchorTopWide},
    {IDC_PG_PAGE_INFO, ui::kAnchorTopWide},
    {IDC_PG_LIST, ui::kAnchorAll},
};

constexpr const char* kColumnKeys[] = {"_pfcolDrive", "_pfcolBeforclean", "_pfcolAfterclean"};
constexpr double kColumnShares[] = {0.2, 0.4, 0.4};
constexpr COLORREF kGrewText = RGB(0, 160, 0);
constexpr COLORREF kSameText = RGB(192, 192, 192);

}  // namespace

ui::RowColor FinishPage::RowColorFor(const SpaceCounts& counts) {
    return {counts.after > counts.before ? kGrewText : kSameText, RGB(255, 255, 255)};
}

bool FinishPage::OnInit() {
    text::TranslateWindow(Hwnd());
    header_.Attach(Item(IDC_PG_PAGE_HEADER), FW_HEAVY, RGB(0, 0, 0));
    layout_.Init(Hwnd(), kLayout);
    list_.Attach(Item(IDC_PG_LIST));
    images_ = ui::CreateSmallImageList();
    list_.LendSmallImages(images_);
    for (int column = 0; column < 3; ++column) list_.InsertColumn(column, text::LookupText(kColumnKeys[column]), 100);
    list_.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    types_.Attach(Item(IDC_PG_TYPE_LIST), false);
    MeasureFreeSpace(space_, Measurement::Before, FixedDriveRoots(), query_);
    ui::ButtonLook look;
    look.textHover = RGB(0, 70, 213);
    newTaskButton_.Attach(Item(IDC_PG_START_NEW_TASK), look);
    ShowResult();
    return true;
}

void FinishPage::OnActivated() {
    EnableButtons(0);
    SetWizardCancelText(Hwnd(), text::LookupText("_mainWndCancelFinish"));
    MeasureFreeSpace(space_, Measurement::After, FixedDriveRoots(), query_);
    FillDriveList();
    ShowResult();
}

void FinishPage::ShowResult() {
    const clean::CleanResult* result = session_.LastClean();
    SetItemText(IDC_PG_RESULT_LINE, result ? ResultLine(*result).c_str() : "");
    const bool notCleaned = result && !clean::NotCleanedFiles(*result).empty();
    ::ShowWindow(Item(IDC_PG_NOT_CLEANED), notCleaned ? SW_SHOWNA : SW_HIDE);
    types_.Show(result ? TypeRowsOf(*result) : std::vector<TypeList::Row>{});
    ::ShowWindow(types_.Hwnd(), result ? SW_SHOWNA : SW_HIDE);
}

void FinishPage::ShowNotCleaned() {
    const clean::CleanResult* result = session_.LastClean();
    if (!result) return;
    NotCleanedDialog dialog(NotCleanedRows(*result), result->logPath, services_.openAddress);
    dialog.Show(Hwnd());
}

void FinishPage::OnDeactivated() { SetWizardCancelText(Hwnd(), text::LookupText("_Cancel")); }

void FinishPage::FillDriveList() {
    list_.DeleteAll();
    colors_.Clear();
    for (const auto& [root, counts] : space_) {
        int image = 0;
        if (ui::Icon icon = ui::SmallIconOfPath(root)) {
            int added = ::ImageList_AddIcon(images_.Get(), icon.Get());
            if (added >= 0) image = added;
        }
        int row = list_.InsertItem(list_.Count(), root, image);
        if (row < 0) continue;
        colors_.Set(row, RowColorFor(counts));
        list_.SetText(row, 1, FormatSize(counts.before));
        list_.SetText(row, 2, FormatSize(counts.after));
    }
}

void FinishPage::OnBack() { ShowPage(kCleaningPage); }

bool FinishPage::OnCommand(int id, int code, HWND control) {
    if (id == IDC_PG_START_NEW_TASK) {
        ShowPage(kDriveSelectionPage);
        return true;
    }
    if (id == IDC_PG_NOT_CLEANED) {
        ShowNotCleaned();
        return true;
    }
    return WizardPage::OnCommand(id, code, control);
}

void FinishPage::RunMenuCommand(int command) {
    int row = list_.Selected();
    if (command == kProperties && row >= 0) services_.properties(::GetActiveWindow(), list_.Text(row, 0));
}

void FinishPage::ShowMenu(POINT at) {
    if (list_.Selected() < 0) return;
    RunMenuCommand(services_.trackMenu(Hwnd(), {{kProperties, "_rpMenuProperty", true}}, at));
}

bool FinishPage::OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_CONTEXTMENU) return WizardPage::OnPageMessage(message, wParam, lParam, result);
    if (!ui::IsKeyboardMenuRequest(list_.Hwnd(), wParam, lParam)) return false;
    ShowMenu(ui::KeyboardMenuPoint(list_.Hwnd()));
    return true;
}

bool FinishPage::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.idFrom == IDC_PG_TYPE_LIST) return types_.OnNotify(header, result);
    if (header.idFrom != IDC_PG_LIST) return false;
    if (header.code == NM_CUSTOMDRAW) {
        result = colors_.OnCustomDraw(header);
        return true;
    }
    if (header.code == NM_RCLICK) {
        ShowMenu(ui::CursorPoint());
        return true;
    }
    return false;
}

void FinishPage::OnSize(int width, int height) {
    layout_.Apply(width, height);
    FitColumnShares(list_, kColumnShares);
    types_.FitColumns();
}

}  // namespace pages
