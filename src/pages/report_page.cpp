#include "pages/report_page.h"

#include <iterator>
#include <memory>

#include "pages/column_shares.h"
#include "pages/drive_space.h"
#include "pages/page_messages.h"
#include "pages/report_rows.h"
#include "pages/resource_ids.h"
#include "paths/path_text.h"
#include "platform/codepage.h"
#include "text/format_template.h"
#include "text/language_table.h"

namespace pages {

namespace {

constexpr COLORREF kRowBackground = RGB(255, 245, 235);

constexpr ui::LayoutRule kLayout[] = {
    {IDC_PG_PAGE_HEADER, ui::kAnchorTopWide},
    {IDC_PG_PAGE_INFO, ui::kAnchorTopWide},
    {IDC_PG_LIST, ui::kAnchorAll},
    {IDC_PG_REPORT_COUNT, ui::kAnchorBottomWide},
};

// Column widths as parts of the list's client width.
constexpr double kColumnShares[] = {0.3, 0.2, 0.35, 0.15};
struct ColumnLook {
    const char* key;
    int format;
};
constexpr ColumnLook kColumns[] = {
    {"_rptColFileName", LVCFMT_LEFT},
    {"_rptColPath", LVCFMT_LEFT},
    {"_rptColDescription", LVCFMT_LEFT},
    {"_rptColSize", LVCFMT_RIGHT},
};
static_assert(std::size(kColumns) == ReportPage::kColumnCount && std::size(kColumnShares) == ReportPage::kColumnCount);

enum CheckChange { kTickAll, kUntickAll, kInvert };

// Stops a window redrawing for a scope.
class NoRedraw {
public:
    explicit NoRedraw(HWND window) : window_(window) { ::SendMessageA(window_, WM_SETREDRAW, FALSE, 0); }
    ~NoRedraw() {
        ::SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(window_, nullptr, TRUE);
    }
    NoRedraw(const NoRedraw&) = delete;
    NoRedraw& operator=(const NoRedraw&) = delete;

private:
    HWND window_;
};

std::string ColumnText(const scan::FoundFile& found, int column) {
    switch (column) {
        case ReportPage::kNameColumn:
            return std::string(found.Name());
        case ReportPage::kFolderColumn:
            return paths::FolderPart(found.path);
        case ReportPage::kReasonColumn:
            return found.reason;
        case ReportPage::kSizeColumn:
            return FormatSize(found.listed.size);
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
int CompareFindings(const std::vector<scan::FoundFile>& findings, size_t a, size_t b, int column) {
    const scan::FoundFile& x = findings[a];
    const scan::FoundFile& y = findings[b];
    int order = 0;
    switch (column) {
        case ReportPage::kNameColumn:
            order = CompareTexts(x.Name(), y.Name());
            break;
        case ReportPage::kFolderColumn:
            order = CompareTexts(paths::FolderPart(x.path), paths::FolderPart(y.path));
            break;
        case ReportPage::kReasonColumn:
            order = CompareTexts(x.reason, y.reason);
            break;
        case ReportPage::kSizeColumn:
            order = x.listed.size < y.listed.size ? -1 : x.listed.size > y.listed.size ? 1 : 0;
            break;
        default:
            break;
    }
    return order != 0 ? order : (a < b ? -1 : a > b ? 1 : 0);
}

struct SortOrder {
    const std::vector<scan::FoundFile>* findings;
    int column;
    bool descending;
};

int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM context) {
    const auto& order = *reinterpret_cast<const SortOrder*>(context);
    const auto a = static_cast<size_t>(first), b = static_cast<size_t>(second);
    if (a >= order.findings->size() || b >= order.findings->size()) return 0;
    int result = CompareFindings(*order.findings, a, b, order.column);
    return order.descending ? -result : result;
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
    for (int column = 0; column < kColumnCount; ++column) {
        list_.InsertColumn(column, text::LookupText(kColumns[column].key), 100, kColumns[column].format);
    }
    list_.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    colors_.SetDefault({RGB(0, 0, 0), kRowBackground});
    return true;
}

void ReportPage::Fill(const std::vector<scan::FoundFile>& findings) { Fill(std::vector<scan::FoundFile>(findings)); }

void ReportPage::Fill(std::vector<scan::FoundFile>&& findings) {
    if (!list_.Hwnd()) return;
    NoRedraw quiet(list_.Hwnd());
    list_.DeleteAll();  // rows point into the findings: they go first
    fileImages_.clear();
    findings_ = std::move(findings);
    sortColumn_ = -1;
    MarkSortColumn();
    ShowRows();
}

// One row per finding in the findings' order; the list asks for the texts
// (and for the icons of files that bring their own) when it draws a row.
void ReportPage::ShowRows() {
    ListView_SetItemCountEx(list_.Hwnd(), static_cast<int>(findings_.size()), LVSICF_NOINVALIDATEALL);
    for (size_t i = 0; i < findings_.size(); ++i) {
        const scan::FoundFile& found = findings_[i];
        list_.InsertItemAskingText(list_.Count(), icons_.IndexFor(found.path, found.Name()), static_cast<LPARAM>(i));
    }
    // Every row starts ticked; one message ticks them all (the list gives new
    // rows an empty check box whatever state they are inserted with).
    ListView_SetItemState(list_.Hwnd(), -1, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
}

const scan::FoundFile* ReportPage::FindingOfRow(int row) const { return ReportRows{list_, &findings_}.FindingOf(row); }

int ReportPage::RowImage(int row) {
    const auto index = static_cast<size_t>(list_.Data(row));
    if (index >= findings_.size()) return I_IMAGENONE;
    auto known = fileImages_.find(index);
    if (known != fileImages_.end()) return known->second;
    const scan::FoundFile& found = findings_[index];
    int image = icons_.FileIcon(found.path, found.Name());
    fileImages_.emplace(index, image);
    return image;
}

void ReportPage::GiveText(NMHDR& header) {
    const bool wide = header.code == LVN_GETDISPINFOW;
    auto& item = reinterpret_cast<NMLVDISPINFOA&>(header).item;  // the same layout in both forms
    const auto index = static_cast<size_t>(item.lParam);
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
    textBuffer_ = index < findings_.size() ? ColumnText(findings_[index], item.iSubItem) : std::string();
    if (wide) {
        std::wstring text = platform::ToWide(textBuffer_);
        ::lstrcpynW(reinterpret_cast<wchar_t*>(item.pszText), text.c_str(), item.cchTextMax);
    } else {
        ::lstrcpynA(item.pszText, textBuffer_.c_str(), item.cchTextMax);
    }
}

void ReportPage::NoteCheckChange(const NMLISTVIEW& change) {
    if (!(change.uChanged & LVIF_STATE) || !((change.uOldState ^ change.uNewState) & LVIS_STATEIMAGEMASK)) return;
    // Many rows change at once (select all): the count line is drawn once.
    if (recountPosted_) return;
    recountPosted_ = ::PostMessageA(Hwnd(), WM_REPORTPAGE_RECOUNT, 0, 0) != 0;
}

// The number of rows found and, where the language has the words for it,
// how many files and bytes the clean would take.
void ReportPage::ShowCount() {
    std::string count = text::FormatTemplate(text::LookupText("_FindFileCntTxtFormat"), {list_.Count()});
    const std::string withSize = text::LookupText("_rptCountWithSize");
    if (withSize != "_rptCountWithSize") {
        TakenTotals taken = CountTaken({list_, &findings_});
        count = text::FormatTemplate(withSize, {count, taken.files, FormatSize(taken.bytes)});
    }
    SetItemText(IDC_PG_REPORT_COUNT, count.c_str());
}

void ReportPage::SortBy(int column) {
    if (column < 0 || column >= kColumnCount) return;
    sortDescending_ = column == sortColumn_ && !sortDescending_;
    sortColumn_ = column;
    SortOrder order{&findings_, column, sortDescending_};
    ListView_SortItems(list_.Hwnd(), CompareRows, reinterpret_cast<LPARAM>(&order));
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

void ReportPage::OnDestroy() {
    findings_.clear();
    fileImages_.clear();
}

bool ReportPage::ScanBusy() const { return JobPageBusy(Hwnd(), kScanningPage); }

void ReportPage::OnActivated() {
    // The scan job shows this page before its last steps and enables Back and
    // Next as its very last call; until then the user must not move on.
    if (!ScanBusy()) EnableButtons(kEnableNext | kEnableBack);
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
    }
    entries.push_back({kSelectAll, "_rpMenuSelectAll"});
    entries.push_back({kDeselectAll, "_rpMenuDeselectAll"});
    entries.push_back({kInvertSelection, "_rpMenuInvertSelect"});
    return entries;
}

const scan::FoundFile* ReportPage::SelectedFinding() const { return FindingOfRow(list_.Selected()); }

void ReportPage::RunMenuCommand(int command) {
    switch (command) {
        case kProperties:
            if (const scan::FoundFile* found = SelectedFinding()) services_.properties(::GetActiveWindow(), found->path);
            break;
        case kFindInExplorer:
            if (const scan::FoundFile* found = SelectedFinding()) services_.showInExplorer(found->path);
            break;
        case kSelectAll:
            SetAllChecks(kTickAll);
            break;
        case kDeselectAll:
            SetAllChecks(kUntickAll);
            break;
        case kInvertSelection:
            SetAllChecks(kInvert);
            break;
        default:
            break;
    }
}

void ReportPage::SetAllChecks(int how) {
    for (int row = 0; row < list_.Count(); ++row) {
        bool tick = how == kTickAll || (how == kInvert && !list_.Checked(row));
        list_.SetChecked(row, tick);
    }
}

bool ReportPage::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.idFrom != IDC_PG_LIST) return false;
    switch (header.code) {
        case LVN_GETDISPINFOA:
        case LVN_GETDISPINFOW: {
            auto& info = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header));
            // A row whose file brings its own icon is shown for the first time.
            if (info.item.mask & LVIF_IMAGE) {
                info.item.iImage = RowImage(info.item.iItem);
                info.item.mask |= LVIF_DI_SETITEM;
            }
            GiveText(info.hdr);
            return true;
        }
        case LVN_ITEMCHANGED:
            NoteCheckChange(reinterpret_cast<const NMLISTVIEW&>(header));
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
}

void ReportPage::ShowMenu(POINT at) {
    RunMenuCommand(services_.trackMenu(Hwnd(), MenuEntries(list_.Selected() >= 0), at));
}

bool ReportPage::OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_CONTEXTMENU:
            if (!ui::IsKeyboardMenuRequest(list_.Hwnd(), wParam, lParam)) return false;
            ShowMenu(ui::KeyboardMenuPoint(list_.Hwnd()));
            return true;
        case WM_REPORTPAGE_GETLIST:
            result = reinterpret_cast<LRESULT>(list_.Hwnd());
            return true;
        case WM_REPORTPAGE_FILL:
            // The scan has no use for its findings afterwards: they are taken over.
            if (lParam) Fill(std::move(*reinterpret_cast<std::vector<scan::FoundFile>*>(lParam)));
            return true;
        case WM_REPORTPAGE_GETROWS:
            result = reinterpret_cast<LRESULT>(&findings_);
            return true;
        case WM_REPORTPAGE_RECOUNT:
            recountPosted_ = false;
            ShowCount();
            return true;
        default:
            return WizardPage::OnPageMessage(message, wParam, lParam, result);
    }
}

}  // namespace pages
