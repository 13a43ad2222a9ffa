#include "pages/report_page.h"

#include <memory>

#include "pages/column_shares.h"
#include "pages/page_messages.h"
#include "pages/resource_ids.h"
#include "paths/path_text.h"
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
constexpr double kColumnShares[] = {0.3, 0.2, 0.5};
constexpr const char* kColumnKeys[] = {"_rptColFileName", "_rptColPath", "_rptColDescription"};

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

}  // namespace

ReportPage::~ReportPage() {
    // Rows whose deletion was never reported still own their findings.
    for (scan::FoundFile* found : owned_) delete found;
}

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
    for (int column = 0; column < 3; ++column) list_.InsertColumn(column, text::LookupText(kColumnKeys[column]), 100);
    list_.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    colors_.SetDefault({RGB(0, 0, 0), kRowBackground});
    return true;
}

void ReportPage::Fill(const std::vector<scan::FoundFile>& findings) {
    if (!list_.Hwnd()) return;
    NoRedraw quiet(list_.Hwnd());
    list_.DeleteAll();  // each deleted row releases its finding
    ListView_SetItemCountEx(list_.Hwnd(), static_cast<int>(findings.size()), LVSICF_NOINVALIDATEALL);
    owned_.reserve(findings.size());
    for (const scan::FoundFile& found : findings) {
        auto copy = std::make_unique<scan::FoundFile>(found);
        int row = list_.InsertItem(list_.Count(), copy->entry.cFileName,
                                   icons_.IndexFor(copy->path, copy->entry.cFileName),
                                   reinterpret_cast<LPARAM>(copy.get()));
        if (row < 0) continue;
        owned_.insert(copy.get());
        scan::FoundFile* owner = copy.release();
        list_.SetText(row, 1, paths::FolderPart(owner->path));
        list_.SetText(row, 2, owner->reason);
    }
    // Every row starts ticked; one message ticks them all (the list gives new
    // rows an empty check box whatever state they are inserted with).
    ListView_SetItemState(list_.Hwnd(), -1, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
}

void ReportPage::ReleaseRow(LPARAM data) {
    auto* found = reinterpret_cast<scan::FoundFile*>(data);
    fileImages_.erase(found);
    if (found && owned_.erase(found)) delete found;
}

int ReportPage::RowImage(int row) {
    auto* found = reinterpret_cast<const scan::FoundFile*>(list_.Data(row));
    if (!found) return I_IMAGENONE;
    auto known = fileImages_.find(found);
    if (known != fileImages_.end()) return known->second;
    int image = icons_.FileIcon(found->path, found->entry.cFileName);
    fileImages_.emplace(found, image);
    return image;
}

bool ReportPage::ScanBusy() const { return JobPageBusy(Hwnd(), kScanningPage); }

void ReportPage::OnActivated() {
    // The scan job shows this page before its last steps and enables Back and
    // Next as its very last call; until then the user must not move on.
    if (!ScanBusy()) EnableButtons(kEnableNext | kEnableBack);
    std::string count = text::FormatTemplate(text::LookupText("_FindFileCntTxtFormat"), {list_.Count()});
    SetItemText(IDC_PG_REPORT_COUNT, count.c_str());
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

const scan::FoundFile* ReportPage::SelectedFinding() const {
    int row = list_.Selected();
    if (row < 0) return nullptr;
    return reinterpret_cast<const scan::FoundFile*>(list_.Data(row));
}

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
        case LVN_DELETEITEM:
            ReleaseRow(reinterpret_cast<const NMLISTVIEW&>(header).lParam);
            return true;
        case LVN_GETDISPINFOA:
        case LVN_GETDISPINFOW: {
            // A row whose file brings its own icon is shown for the first time.
            auto& info = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header));
            if (info.item.mask & LVIF_IMAGE) {
                info.item.iImage = RowImage(info.item.iItem);
                info.item.mask |= LVIF_DI_SETITEM;
            }
            return true;
        }
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
            if (lParam) Fill(*reinterpret_cast<const std::vector<scan::FoundFile>*>(lParam));
            return true;
        default:
            return WizardPage::OnPageMessage(message, wParam, lParam, result);
    }
}

}  // namespace pages
