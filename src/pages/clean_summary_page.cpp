#include "pages/clean_summary_page.h"

#include "pages/drive_space.h"

#include "config/job_requests.h"
#include "options/options_dialog.h"
#include "pages/column_shares.h"
#include "pages/resource_ids.h"
#include "pages/summary_rows.h"
#include "text/format_template.h"
#include "text/language_table.h"

namespace pages {

namespace {

constexpr ui::LayoutRule kLayout[] = {
    {IDC_PG_PAGE_HEADER, ui::kAnchorTopWide}, {IDC_PG_PAGE_INFO, ui::kAnchorTopWide},
    {IDC_PG_STATUS, ui::kAnchorTopLeft},      {IDC_PG_COUNT, ui::kAnchorTopWide},
    {IDC_PG_CLEAN_OPTIONS, ui::kAnchorTopLeft}, {IDC_PG_SECOND_LABEL, ui::kAnchorTopLeft},
    {IDC_PG_ADVANCED_OPTIONS, ui::kAnchorTopLeft}, {IDC_PG_LIST, ui::kAnchorAll},
    {IDC_PG_HINT, ui::kAnchorBottomWide},
};

constexpr COLORREF kEnabledText = RGB(0, 160, 0);
constexpr COLORREF kDisabledText = RGB(192, 192, 192);
constexpr COLORREF kRowBackground = RGB(255, 255, 255);
constexpr double kColumnShares[] = {0.6, 0.3};

ui::ButtonLook SettingsButtonLook() {
    ui::ButtonLook look;
    look.textHover = RGB(0, 70, 213);
    return look;
}

}  // namespace

ui::RowColor CleanSummaryPage::RowColorFor(bool enabled) {
    return {enabled ? kEnabledText : kDisabledText, kRowBackground};
}

bool CleanSummaryPage::OnInit() {
    text::TranslateWindow(Hwnd());
    header_.Attach(Item(IDC_PG_PAGE_HEADER), FW_HEAVY, RGB(0, 0, 0));
    layout_.Init(Hwnd(), kLayout);
    list_.Attach(Item(IDC_PG_LIST));
    images_ = ui::LoadImageStrip(IDB_PG_SUMMARY_IMAGES, 16);
    list_.LendSmallImages(images_);
    list_.InsertColumn(0, "", 100);
    list_.InsertColumn(1, "", 100);
    list_.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    optionsButton_.Attach(Item(IDC_PG_CLEAN_OPTIONS), SettingsButtonLook());
    advancedButton_.Attach(Item(IDC_PG_ADVANCED_OPTIONS), SettingsButtonLook());
    return true;
}

void CleanSummaryPage::RefreshSummary() {
    // File count: the findings the clean would take, and their size where
    // the language has the words for it.
    const TakenTotals& taken = session_.Taken();
    std::string info = text::FormatTemplate(text::LookupText("_ClrOptInfo"), {taken.files});
    const std::string withSize = text::LookupText("_ClrOptInfoSize");
    if (withSize != "_ClrOptInfoSize") info = text::FormatTemplate(withSize, {info, FormatSize(taken.bytes)});
    SetItemText(IDC_PG_PAGE_INFO, info.c_str());

    // What the clean would do, read as the clean will read it when it starts.
    const clean::CleanSettings settings = config::LoadCleanSettings();
    std::string mode = DisposalModeText(settings);
    if (!mode.empty()) SetItemText(IDC_PG_COUNT, mode.c_str());

    const std::vector<bool> on = SummarySwitches(settings);
    const std::string enabled = text::LookupText("_Enabled"), disabled = text::LookupText("_Disabled");
    list_.DeleteAll();
    colors_.Clear();
    const auto& keys = SummaryRowKeys();
    for (size_t i = 0; i < keys.size(); ++i) {
        int row = list_.InsertItem(list_.Count(), text::LookupText(keys[i]), 0);
        colors_.Set(row, RowColorFor(on[i]));
        list_.SetText(row, 1, on[i] ? enabled : disabled);
    }
}

void CleanSummaryPage::OnActivated() {
    EnableButtons(kEnableNext | kEnableBack);
    RefreshSummary();
}

void CleanSummaryPage::OnSettingsChanged() { RefreshSummary(); }

void CleanSummaryPage::OnNext() { ShowPageAndStart(Hwnd(), kCleaningPage, WM_CLEANPAGE_START); }

void CleanSummaryPage::OnBack() { ShowPage(kReportPage); }

bool CleanSummaryPage::OnCommand(int id, int code, HWND control) {
    switch (id) {
        case IDC_PG_CLEAN_OPTIONS:
            if (services_.ShowOptions(::GetActiveWindow(), options::kCleanOptionsTab) == IDOK) RefreshSummary();
            return true;
        case IDC_PG_ADVANCED_OPTIONS:
            if (services_.advancedSettings(::GetActiveWindow()) == IDOK) RefreshSummary();
            return true;
        default:
            return WizardPage::OnCommand(id, code, control);
    }
}

bool CleanSummaryPage::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.idFrom == IDC_PG_LIST && header.code == NM_CUSTOMDRAW) {
        result = colors_.OnCustomDraw(header);
        return true;
    }
    return false;
}

void CleanSummaryPage::OnSize(int width, int height) {
    layout_.Apply(width, height);
    FitColumnShares(list_, kColumnShares);
}

}  // namespace pages
