#include "pages/drive_selection_page.h"

#include "config/settings.h"
#include "options/options_dialog.h"
#include "pages/check_tree.h"
#include "pages/drive_listing.h"
#include "pages/resource_ids.h"
#include "paths/path_text.h"
#include "platform/drives.h"
#include "platform/trace.h"
#include "text/language_table.h"
#include "ui/shell_actions.h"

namespace pages {

namespace {

constexpr UINT_PTR kTreeSubclassId = 0x4A50;

enum TreeImage : int { kClosedFolder = 0, kOpenFolder = 1, kDriveImage = 2, kComputerImage = 3 };

constexpr ui::LayoutRule kLayout[] = {
    {IDC_PG_PAGE_HEADER, ui::kAnchorTopWide},      {IDC_PG_PAGE_INFO, ui::kAnchorTopWide},
    {IDC_PG_STATUS, ui::kAnchorTopWide},           {IDC_PG_DRIVE_TREE, ui::kAnchorAll},
    {IDC_PG_SEARCH_OPTIONS, ui::kAnchorBottomLeft}, {IDC_PG_EXCLUDING_FOLDERS, ui::kAnchorBottomLeft},
};

// Shows the wait cursor and stops the tree redrawing for a scope.
class BusyTree {
public:
    explicit BusyTree(HWND tree) : tree_(tree), cursor_(::SetCursor(::LoadCursor(nullptr, IDC_WAIT))) {
        ::SendMessageA(tree_, WM_SETREDRAW, FALSE, 0);
    }
    ~BusyTree() {
        ::SendMessageA(tree_, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(tree_, nullptr, TRUE);
        ::SetCursor(cursor_);
    }
    BusyTree(const BusyTree&) = delete;
    BusyTree& operator=(const BusyTree&) = delete;

private:
    HWND tree_;
    HCURSOR cursor_;
};

}  // namespace

// The check logic's view of the tree-view control.
class DriveSelectionPage::Checks : public CheckTree {
public:
    explicit Checks(const DriveSelectionPage& page) : page_(const_cast<DriveSelectionPage&>(page)) {}

    Item FirstTopLevel() const override { return ToItem(page_.tree_.FirstRoot()); }
    Item FirstChild(Item item) const override { return ToItem(page_.tree_.FirstChild(ToHandle(item))); }
    Item NextSibling(Item item) const override { return ToItem(page_.tree_.NextSibling(ToHandle(item))); }
    Item Parent(Item item) const override { return ToItem(page_.tree_.Parent(ToHandle(item))); }
    int State(Item item) const override { return page_.tree_.StateImage(ToHandle(item)); }
    void SetState(Item item, int state) override { page_.tree_.SetStateImage(ToHandle(item), state); }
    const std::string* Path(Item item) const override { return page_.PathOf(ToHandle(item)); }
    void Expand(Item item) override { page_.ExpandItem(ToHandle(item)); }

    static Item ToItem(HTREEITEM handle) { return reinterpret_cast<Item>(handle); }
    static HTREEITEM ToHandle(Item item) { return reinterpret_cast<HTREEITEM>(item); }

private:
    DriveSelectionPage& page_;
};

bool DriveSelectionPage::OnInit() {
    ui::CenterWindow(Hwnd(), ::GetParent(Hwnd()));
    text::TranslateWindow(Hwnd());
    header_.Attach(Item(IDC_PG_PAGE_HEADER), FW_HEAVY, RGB(0, 0, 0));
    layout_.Init(Hwnd(), kLayout);
    tree_.Attach(Item(IDC_PG_DRIVE_TREE));
    ::SetWindowSubclass(tree_.Hwnd(), TreeProc, kTreeSubclassId, reinterpret_cast<DWORD_PTR>(this));
    BuildTree();
    LoadSelection();
    return true;
}

void DriveSelectionPage::BuildTree() {
    images_ = ui::LoadImageStrip(IDB_PG_TREE_IMAGES, 16);
    states_ = ui::LoadImageStrip(IDB_PG_CHECK_STATES, 13);
    tree_.LendImages(images_, states_);

    HTREEITEM computer =
        tree_.Append(TVI_ROOT, text::LookupText("_MyComputer"), kComputerImage, kComputerImage, kUnticked, 0);
    for (const std::string& root : FixedDriveRoots()) {
        std::string drive = paths::WithoutTrailingBackslash(root);
        AppendFolderItem(computer, DriveItemText(platform::VolumeLabelOf(root), drive), drive, kDriveImage, kDriveImage,
                         kUnticked);
    }
    tree_.Expand(computer);
}

HTREEITEM DriveSelectionPage::AppendFolderItem(HTREEITEM parent, const std::string& text, const std::string& path,
                                               int image, int selectedImage, int state) {
    paths_.push_back(path);
    HTREEITEM item = tree_.Append(parent, text, image, selectedImage, state, static_cast<LPARAM>(paths_.size()));
    if (item && HasSubfolder(path)) tree_.AppendPlain(item, kPlaceholderText);
    return item;
}

const std::string* DriveSelectionPage::PathOf(HTREEITEM item) const {
    const auto data = static_cast<size_t>(tree_.Data(item));
    return data > 0 && data <= paths_.size() ? &paths_[data - 1] : nullptr;
}

void DriveSelectionPage::FillChildren(HTREEITEM item) {
    HTREEITEM first = tree_.FirstChild(item);
    if (!first || PathOf(first) || tree_.Text(first) != kPlaceholderText) return;
    const std::string* path = PathOf(item);
    if (!path) return;
    BusyTree busy(tree_.Hwnd());
    tree_.DeleteChildren(item);
    // New folders take the parent's tick; a parent is never partly ticked
    // before its folders are listed, but if it were, they start unticked.
    int state = tree_.StateImage(item) == kTicked ? kTicked : kUnticked;
    std::string folder = *path;
    for (const std::string& name : SubfolderNames(folder)) {
        AppendFolderItem(item, name, paths::JoinPath(folder, name), kClosedFolder, kOpenFolder, state);
    }
}

void DriveSelectionPage::ExpandItem(HTREEITEM item) {
    FillChildren(item);
    tree_.Expand(item);
}

void DriveSelectionPage::Toggle(HTREEITEM item) {
    int state = tree_.StateImage(item);
    if (state == kNoCheckBox) return;
    Checks checks(*this);
    SetCheckState(checks, Checks::ToItem(item), ToggledState(state));
}

std::vector<std::string> DriveSelectionPage::TickedPaths() const {
    if (!tree_.Hwnd()) return {};
    return CollectTickedPaths(Checks(*this));
}

void DriveSelectionPage::LoadSelection() {
    Checks checks(*this);
    BusyTree busy(tree_.Hwnd());
    stored_ = config::LoadSelectedPaths();
    for (const std::string& path : stored_) {
        if (!TickStoredPath(checks, path)) notShown_.push_back(path);
    }
}

void DriveSelectionPage::StoreSelection() const {
    config::SaveSelectedPaths(PathsToStore(TickedPaths(), stored_, notShown_));
}

void DriveSelectionPage::OnActivated() { EnableButtons(kEnableNext | kEnableBack); }

void DriveSelectionPage::OnNext() {
    std::vector<std::string> paths = TickedPaths();
    // Ticked application rules run whatever drives are ticked, none too.
    if (paths.empty() && config::LoadCheckedRules(config::ValueSet::Custom).empty()) {
        ui::ShowMessage(Hwnd(), "_PleaseSelectadrive", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The scan reads the selection back from the settings: one that could
    // not be saved would have it search the old selection.
    if (!config::SaveSelectedPaths(PathsToStore(paths, stored_, notShown_))) {
        ui::ShowMessage(Hwnd(), "_SettingsNotSaved", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    ShowPageAndStart(Hwnd(), kScanningPage, WM_SCANPAGE_STARTSCAN);
}

void DriveSelectionPage::OnBack() { ShowPage(kWelcomePage); }

bool DriveSelectionPage::OnCommand(int id, int code, HWND control) {
    switch (id) {
        case IDC_PG_SEARCH_OPTIONS:
            services_.ShowOptions(Hwnd(), options::kSearchOptionsTab);
            return true;
        case IDC_PG_EXCLUDING_FOLDERS:
            services_.ShowOptions(Hwnd(), options::kSkipFoldersTab);
            return true;
        default:
            return WizardPage::OnCommand(id, code, control);
    }
}

bool DriveSelectionPage::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.idFrom != IDC_PG_DRIVE_TREE) return false;
    if (header.code == TVN_ITEMEXPANDINGA || header.code == TVN_ITEMEXPANDINGW) {
        // Both notification forms place the item at the same offset.
        const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
        if (change.action & TVE_EXPAND) FillChildren(change.itemNew.hItem);
        result = FALSE;  // let it expand
        return true;
    }
    return false;
}

void DriveSelectionPage::OnSize(int width, int height) { layout_.Apply(width, height); }

void DriveSelectionPage::OnDestroy() {
    StoreSelection();
    if (tree_.Hwnd()) ::RemoveWindowSubclass(tree_.Hwnd(), TreeProc, kTreeSubclassId);
}

// Clicks on a check box and the Space key toggle items; the tree itself
// knows nothing of the three states.
LRESULT CALLBACK DriveSelectionPage::TreeProc(HWND tree, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR data) {
    auto* page = reinterpret_cast<DriveSelectionPage*>(data);
    try {
        switch (message) {
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK: {
                POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                UINT flags = 0;
                HTREEITEM item = page->tree_.HitTest(point, &flags);
                if (item && (flags & TVHT_ONITEMSTATEICON)) {
                    ::SetFocus(tree);
                    page->Toggle(item);
                    return 0;
                }
                break;
            }
            case WM_KEYDOWN:
                if (wParam == VK_SPACE) {
                    if (HTREEITEM item = page->tree_.Selected()) page->Toggle(item);
                    return 0;
                }
                break;
            case WM_CHAR:
                if (wParam == ' ') return 0;
                break;
            default:
                break;
        }
    } catch (...) {
        platform::TraceException("drive tree");
        return 0;
    }
    return ::DefSubclassProc(tree, message, wParam, lParam);
}

}  // namespace pages
