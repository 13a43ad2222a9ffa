#include "pages/report_page.h"

#include <algorithm>
#include <iterator>

#include "config/settings.h"
#include "pages/column_shares.h"
#include "pages/drive_space.h"
#include "pages/resource_ids.h"
#include "scan/keep_filter.h"
#include "text/format_template.h"
#include "text/language_table.h"
#include "ui/shell_actions.h"

namespace pages {

namespace {

constexpr COLORREF kRowBackground = RGB(255, 245, 235);

constexpr ui::LayoutRule kLayout[] = {
    {IDC_PG_PAGE_HEADER, ui::kAnchorTopWide},
    {IDC_PG_PAGE_INFO, ui::kAnchorTopWide},
    {IDC_PG_VIEW_FILES, ui::kAnchorTopLeft},
    {IDC_PG_VIEW_BY_TYPE, ui::kAnchorTopLeft},
    {IDC_PG_LIST, ui::kAnchorAll},
    {IDC_PG_TYPE_LIST, ui::kAnchorAll},
    {IDC_PG_REPORT_COUNT, ui::kAnchorBottomWide},
};

// Column widths as parts of the list's client width.
constexpr double kColumnShares[] = {0.3, 0.2, 0.35, 0.15};
constexpr ColumnLook kColumns[] = {
    {"_rptColFileName", LVCFMT_LEFT},
    {"_rptColPath", LVCFMT_LEFT},
    {"_rptColDescription", LVCFMT_LEFT},
    {"_rptColSize", LVCFMT_RIGHT},
};
static_assert(std::size(kColumns) == ReportPage::kColumnCount && std::size(kColumnShares) == ReportPage::kColumnCount);

std::string ColumnText(const scan::Findings& findings, size_t finding, int column) {
    switch (column) {
        case ReportPage::kNameColumn:
            return std::string(findings.Name(finding));
        case ReportPage::kFolderColumn:
            return std::string(findings.Folder(finding));
        case ReportPage::kReasonColumn:
            return findings.FoundAs(finding);
        case ReportPage::kSizeColumn:
            return FormatSize(findings.Listed(finding).size);
        default:
            return {};
    }
}

int CompareTexts(std::string_view a, std::string_view b) {
    int order = ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                                 static_cast<int>(b.size()));
    return order - CSTR_EQUAL;  // below, at or above zero
}

// Orders two findings by a column; equal ones keep the scan's order, so a
// sort never shuffles rows that tie.
int CompareFindings(const scan::Findings& findings, size_t a, size_t b, int column) {
    int order = 0;
    switch (column) {
        case ReportPage::kNameColumn:
            order = CompareTexts(findings.Name(a), findings.Name(b));
            break;
        case ReportPage::kFolderColumn:
            order = CompareTexts(findings.Folder(a), findings.Folder(b));
            break;
        case ReportPage::kReasonColumn:
            // Findings of one "found as" text share its index.
            if (findings.FoundAsIndex(a) != findings.FoundAsIndex(b)) {
                order = CompareTexts(findings.FoundAs(a), findings.FoundAs(b));
            }
            break;
        case ReportPage::kSizeColumn: {
            const uint64_t x = findings.Listed(a).size, y = findings.Listed(b).size;
            order = x < y ? -1 : x > y ? 1 : 0;
            break;
        }
        default:
            break;
    }
    return order != 0 ? order : (a < b ? -1 : a > b ? 1 : 0);
}

}  // namespace

bool ReportPage::OnInit() {
    ui::CenterWindow(Hwnd(), ::GetParent(Hwnd()));
    text::TranslateWindow(Hwnd());
    SetItemText(IDC_PG_REPORT_COUNT, "");
    header_.Attach(Item(IDC_PG_PAGE_HEADER), FW_HEAVY, RGB(0, 0, 0));
    count_.Attach(Item(IDC_PG_REPORT_COUNT), FW_HEAVY, RGB(255, 0, 0));
    layout_.Init(Hwnd(), kLayout);

    list_.Attach(Item(IDC_PG_LIST));
    // The list destroys its image lists with itself, the check boxes' one
    // included, so it is given the icons to own.
    ui::ImageList images = ui::CreateSmallImageList();
    icons_.Attach(images.Get());
    list_.GiveSmallImages(std::move(images));
    InsertColumns(list_, kColumns);
    list_.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    // The ticks are the session's: the list asks for them as for the texts.
    ListView_SetCallbackMask(list_.Hwnd(), LVIS_STATEIMAGEMASK);
    colors_.SetDefault({RGB(0, 0, 0), kRowBackground});
    types_.Attach(Item(IDC_PG_TYPE_LIST), true);
    ::CheckRadioButton(Hwnd(), IDC_PG_VIEW_FILES, IDC_PG_VIEW_BY_TYPE, IDC_PG_VIEW_FILES);
    ShowFindings();
    return true;
}

HWND ReportPage::ShownList() const { return view_ == View::ByType ? types_.Hwnd() : list_.Hwnd(); }

void ReportPage::ShowView(View view) {
    view_ = view;
    ::CheckRadioButton(Hwnd(), IDC_PG_VIEW_FILES, IDC_PG_VIEW_BY_TYPE,
                       view == View::ByType ? IDC_PG_VIEW_BY_TYPE : IDC_PG_VIEW_FILES);
    RefreshTypes();
    // The ticks may have changed in the other view.
    ::InvalidateRect(list_.Hwnd(), nullptr, FALSE);
    ::ShowWindow(types_.Hwnd(), view == View::ByType ? SW_SHOWNA : SW_HIDE);
    ::ShowWindow(list_.Hwnd(), view == View::Files ? SW_SHOWNA : SW_HIDE);
}

void ReportPage::RefreshTypes() {
    if (view_ == View::ByType && types_.Hwnd()) types_.Show(TypeRowsOf(session_));
}

void ReportPage::ShowFindings() {
    if (!list_.Hwnd() || shownVersion_ == session_.FindingsVersion()) return;
    sortColumn_ = -1;
    MarkSortColumn();
    ShowRowsAnew();
    // The type rows are summed when the page is shown (OnActivated).
    ListView_SetItemState(types_.Hwnd(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
}

void ReportPage::ShowRowsAnew() {
    shownVersion_ = session_.FindingsVersion();
    fileImages_.clear();
    // The rows of the last findings leave no selection behind.
    ListView_SetItemState(list_.Hwnd(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemCountEx(list_.Hwnd(), static_cast<int>(session_.RowCount()), 0);
    ::InvalidateRect(list_.Hwnd(), nullptr, TRUE);
}

bool ReportPage::FindingOfRow(int row, size_t& finding) const {
    if (row < 0 || static_cast<size_t>(row) >= session_.RowCount() || shownVersion_ != session_.FindingsVersion()) {
        return false;
    }
    finding = session_.FindingAt(static_cast<size_t>(row));
    return true;
}

int ReportPage::RowImage(size_t finding) {
    const scan::Findings& findings = session_.Findings();
    const std::string path = findings.Path(finding);
    const int image = icons_.IndexFor(path, findings.Name(finding));
    if (image != I_IMAGECALLBACK) return image;
    auto known = fileImages_.find(finding);
    if (known != fileImages_.end()) return known->second;
    const int own = icons_.FileIcon(path, findings.Name(finding));
    fileImages_.emplace(finding, own);
    return own;
}

void ReportPage::GiveRow(LVITEMA& item, bool wide) {
    size_t finding = 0;
    if (!FindingOfRow(item.iItem, finding)) return;
    if (item.mask & LVIF_IMAGE) item.iImage = RowImage(finding);
    if (item.mask & LVIF_STATE) {
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(session_.Ticked(finding) ? 2 : 1);
    }
    if (ui::AsksText(item)) ui::GiveText(item, ColumnText(session_.Findings(), finding, item.iSubItem), wide);
}

void ReportPage::ToggleTick(int row) {
    size_t finding = 0;
    if (!FindingOfRow(row, finding)) return;
    session_.SetTicked(finding, !session_.Ticked(finding));
    ListView_RedrawItems(list_.Hwnd(), row, row);
    AfterTickChange();
}

void ReportPage::AfterTickChange() {
    // Many rows may change in a row (a key held down): the count line, which
    // reads the language file, is drawn once they have.
    if (!recountPosted_) recountPosted_ = ::PostMessageA(Hwnd(), WM_REPORTPAGE_RECOUNT, 0, 0) != 0;
}

void ReportPage::ToggleTypeTick(int row) {
    const std::vector<TypeList::Row>& rows = types_.Rows();
    if (row < 0 || static_cast<size_t>(row) >= rows.size()) return;
    // A partly ticked type is ticked whole, as a tri-state box goes.
    const bool tick = rows[static_cast<size_t>(row)].ticks != TickState::All;
    SetTypeTicked(session_, rows[static_cast<size_t>(row)].type, tick);
    types_.SetTicks(static_cast<size_t>(row), tick ? TickState::All : TickState::None);
    AfterTickChange();
}

void ReportPage::AlwaysKeep(bool folder) {
    const int focus = list_.Selected();
    size_t selected = 0;
    if (!FindingOfRow(focus, selected)) return;
    const scan::Findings& findings = session_.Findings();
    const config::KeptEntry entry{folder ? std::string(findings.Folder(selected)) : findings.Path(selected), folder};
    // The finding leaves the report either way (keeping it is always safe);
    // an entry that could not be stored would be found again next time.
    if (!config::AddToKeepList(entry)) ui::ShowMessage(Hwnd(), "_SettingsNotSaved", MB_OK | MB_ICONEXCLAMATION);
    scan::KeepPaths kept;
    (folder ? kept.folders : kept.files).push_back(entry.path);
    scan::KeepFilter filter(kept);
    if (filter.Empty()) return;
    session_.RemoveFindings([&](size_t finding) { return filter.Keeps(findings.Folder(finding), findings.Name(finding)); });
    // The rest keep their order: the rows are shown anew as they stand.
    ShowRowsAnew();
    if (session_.RowCount() > 0) list_.Select(std::min(focus, static_cast<int>(session_.RowCount()) - 1));
    RefreshTypes();
    ShowCount();
}

// The number of rows found and, where the language has the words for it,
// how many files and bytes the clean would take.
void ReportPage::ShowCount() {
    std::string count =
        text::FormatTemplate(text::LookupText("_FindFileCntTxtFormat"), {static_cast<uint64_t>(session_.RowCount())});
    const std::string withSize = text::LookupText("_rptCountWithSize");
    if (withSize != "_rptCountWithSize") {
        const TakenTotals& taken = session_.Taken();
        count = text::FormatTemplate(withSize, {count, taken.files, FormatSize(taken.bytes)});
    }
    SetItemText(IDC_PG_REPORT_COUNT, count.c_str());
}

void ReportPage::SortBy(int column) {
    if (column < 0 || column >= kColumnCount) return;
    sortDescending_ = column == sortColumn_ && !sortDescending_;
    sortColumn_ = column;
    // The selection stays with its finding.
    size_t selected = 0;
    const bool hadSelection = FindingOfRow(list_.Selected(), selected);
    const scan::Findings& findings = session_.Findings();
    const bool descending = sortDescending_;
    session_.SortRows([&](size_t a, size_t b) {
        const int order = CompareFindings(findings, a, b, column);
        return descending ? order > 0 : order < 0;
    });
    if (hadSelection) {
        for (size_t row = 0; row < session_.RowCount(); ++row) {
            if (session_.FindingAt(row) == selected) {
                list_.Select(static_cast<int>(row));
                break;
            }
        }
    }
    ::InvalidateRect(list_.Hwnd(), nullptr, TRUE);
    MarkSortColumn();
}

// The sorted column's header shows the order by its arrow.
void ReportPage::MarkSortColumn() {
    HWND header = ListView_GetHeader(list_.Hwnd());
    if (!header) return;
    for (int column = 0; column < kColumnCount; ++column) {
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        if (!Header_GetItem(header, column, &item)) continue;
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (column == sortColumn_) item.fmt |= sortDescending_ ? HDF_SORTDOWN : HDF_SORTUP;
        Header_SetItem(header, column, &item);
    }
}

void ReportPage::OnDestroy() { fileImages_.clear(); }

void ReportPage::OnActivated() {
    EnableButtons(kEnableNext | kEnableBack);
    ShowFindings();
    // Sums the findings by type once, whether they are new or only retouched.
    RefreshTypes();
    ShowCount();
}

void ReportPage::OnNext() { ShowPage(kCleanSummaryPage); }

void ReportPage::OnBack() { ShowPage(kScanningPage); }

std::vector<ui::MenuEntry> ReportPage::MenuEntries(bool rowSelected) {
    std::vector<ui::MenuEntry> entries;
    if (rowSelected) {
        entries.push_back({kProperties, "_rpMenuProperty", true});
        entries.push_back({kFindInExplorer, "_rpMenuFinditinexplorer"});
        entries.push_back({0, nullptr});
        entries.push_back({kKeepFile, "_rpMenuKeepFile"});
        entries.push_back({kKeepFolder, "_rpMenuKeepFolder"});
        entries.push_back({0, nullptr});
    }
    entries.push_back({kSelectAll, "_rpMenuSelectAll"});
    entries.push_back({kDeselectAll, "_rpMenuDeselectAll"});
    entries.push_back({kInvertSelection, "_rpMenuInvertSelect"});
    return entries;
}

void ReportPage::RunMenuCommand(int command) {
    size_t selected = 0;
    const bool rowSelected = FindingOfRow(list_.Selected(), selected);
    switch (command) {
        case kProperties:
            if (rowSelected) services_.properties(::GetActiveWindow(), session_.Findings().Path(selected));
            break;
        case kFindInExplorer:
            if (rowSelected) services_.showInExplorer(session_.Findings().Path(selected));
            break;
        case kKeepFile:
        case kKeepFolder:
            if (rowSelected) AlwaysKeep(command == kKeepFolder);
            break;
        case kSelectAll:
            SetAllTicks(Session::TickChange::TickAll);
            break;
        case kDeselectAll:
            SetAllTicks(Session::TickChange::UntickAll);
            break;
        case kInvertSelection:
            SetAllTicks(Session::TickChange::Invert);
            break;
        default:
            break;
    }
}

void ReportPage::SetAllTicks(Session::TickChange change) {
    session_.ChangeAllTicks(change);
    ::InvalidateRect(list_.Hwnd(), nullptr, FALSE);
    RefreshTypes();
    ShowCount();
}

bool ReportPage::OnTypeListNotify(const NMHDR& header, LRESULT& result) {
    if (types_.OnNotify(header, result)) return true;
    switch (header.code) {
        case NM_CLICK:
        case LVN_KEYDOWN:
            ToggleTypeTick(ui::RowToToggle(header));
            return true;
        case NM_RCLICK:
            ShowMenu(ui::CursorPoint());
            return true;
        default:
            return false;
    }
}

bool ReportPage::OnCommand(int id, int code, HWND control) {
    if (code == BN_CLICKED && (id == IDC_PG_VIEW_FILES || id == IDC_PG_VIEW_BY_TYPE)) {
        ShowView(id == IDC_PG_VIEW_BY_TYPE ? View::ByType : View::Files);
        return true;
    }
    return WizardPage::OnCommand(id, code, control);
}

bool ReportPage::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.idFrom == IDC_PG_TYPE_LIST) return OnTypeListNotify(header, result);
    if (header.idFrom != IDC_PG_LIST) return false;
    switch (header.code) {
        case LVN_GETDISPINFOA:
        case LVN_GETDISPINFOW:
            GiveRow(ui::AskedItem(header), ui::AsksWide(header));
            return true;
        case NM_CLICK:
        case LVN_KEYDOWN:
            // The list keeps no ticks: a click on a check box is the page's.
            ToggleTick(ui::RowToToggle(header));
            return true;
        case LVN_COLUMNCLICK:
            SortBy(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
            return true;
        case NM_CUSTOMDRAW:
            result = colors_.OnCustomDraw(header);
            return true;
        case NM_RCLICK:
            ShowMenu(ui::CursorPoint());
            return true;
        default:
            return false;
    }
}

void ReportPage::OnSize(int width, int height) {
    layout_.Apply(width, height);
    FitColumnShares(list_, kColumnShares);
    types_.FitColumns();
}

void ReportPage::ShowMenu(POINT at) {
    // A type row is no file: the view by type offers the ticks only.
    const bool fileSelected = view_ == View::Files && list_.Selected() >= 0;
    RunMenuCommand(services_.trackMenu(Hwnd(), MenuEntries(fileSelected), at));
}

bool ReportPage::OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_REPORTPAGE_RECOUNT:
            recountPosted_ = false;
            ShowCount();
            return true;
        case WM_CONTEXTMENU:
            if (!ui::IsKeyboardMenuRequest(ShownList(), wParam, lParam)) return false;
            ShowMenu(ui::KeyboardMenuPoint(ShownList()));
            return true;
        default:
            return WizardPage::OnPageMessage(message, wParam, lParam, result);
    }
}

}  // namespace pages
