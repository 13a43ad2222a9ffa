#include "options/options_sheet.h"

#include <commctrl.h>

#include <utility>

#include "options/option_rules.h"
#include "options/options_ids.h"
#include "platform/handle.h"
#include "platform/trace.h"
#include "text/language_table.h"
#include "ui/shell_actions.h"

namespace options {

namespace {

constexpr ui::LayoutRule kLayout[] = {
    {IDC_OPTION_TABS, ui::kAnchorAll},
    {IDOK, ui::kAnchorBottomRight},
    {IDCANCEL, ui::kAnchorBottomRight},
    {IDC_DEFAULT_ALL, ui::kAnchorBottomLeft},
};

using MessageHook = platform::UniqueResource<platform::NullHandleTraits<HHOOK, ::UnhookWindowsHookEx>>;

// The modal loop of a dialog lets no one see its keys first: a message
// filter hook does, for the sheet running on this thread.
thread_local OptionsSheet* tl_runningSheet = nullptr;

// True when the message is a tab key of the running sheet, which it handled.
bool SheetTookKey(int code, const MSG* message) {
    OptionsSheet* sheet = tl_runningSheet;
    return code == MSGF_DIALOGBOX && message && sheet && sheet->Hwnd() && message->message == WM_KEYDOWN &&
           (message->hwnd == sheet->Hwnd() || ::IsChild(sheet->Hwnd(), message->hwnd)) &&
           sheet->OnTabKey(static_cast<UINT>(message->wParam), ::GetKeyState(VK_CONTROL) < 0,
                           ::GetKeyState(VK_SHIFT) < 0);
}

// Called by the system: no exception may leave it; a key it failed on goes
// on to the dialog.
LRESULT CALLBACK FilterDialogKeys(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (platform::Fenced("options key filter", false, [&] { return SheetTookKey(code, message); })) return 1;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

OptionsSheet::OptionsSheet(int firstTab, const ui::FolderBrowser& browse, platform::TaskFolder* tasks,
                           ui::FileChooser chooseFile, std::optional<scan::AppFolders> appFolders)
    : chooseFile_(std::move(chooseFile)), firstTab_(firstTab >= 0 && firstTab < kTabCount ? firstTab : 0) {
    const PageServices services{browse, tasks ? *tasks : systemTasks_, chooseFile_, appFolders};
    for (int tab = 0; tab < kTabCount; ++tab) pages_[static_cast<size_t>(tab)] = kOptionTabs[tab].make(services);
}

INT_PTR OptionsSheet::Run(HWND owner) {
    OptionsSheet* outer = std::exchange(tl_runningSheet, this);
    MessageHook hook(::SetWindowsHookExA(WH_MSGFILTER, FilterDialogKeys, nullptr, ::GetCurrentThreadId()));
    if (!hook) platform::TraceLastError("options", "the tab key filter cannot be installed");
    INT_PTR result = RunModal(owner, IDD_OPTIONS);
    tl_runningSheet = outer;
    return result;
}

bool OptionsSheet::OnTabKey(UINT key, bool control, bool shift) {
    int step = control ? TabStep(key, shift) : 0;
    if (step == 0 || shown_ < 0) return false;
    ShowTab(StepTab(shown_, step, kTabCount));
    return true;
}

bool OptionsSheet::OnInit() {
    ui::CenterWindow(Hwnd(), ::GetWindow(Hwnd(), GW_OWNER));
    text::TranslateWindow(Hwnd());
    if (HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM))) {
        ::SendMessageA(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    }
    tabs_ = Item(IDC_OPTION_TABS);
    // Lets the dialog's keyboard navigation reach into the pages.
    ::SetWindowLongPtrA(tabs_, GWL_EXSTYLE, ::GetWindowLongPtrA(tabs_, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    AttachTabImages();
    CreatePages();

    RECT window{};
    ::GetWindowRect(Hwnd(), &window);
    minimumSize_ = {window.right - window.left, window.bottom - window.top};
    layout_.Init(Hwnd(), kLayout, true);

    ShowTab(firstTab_);
    return true;
}

void OptionsSheet::AttachTabImages() {
    // A tab control never destroys its image list: the sheet keeps it.
    tabImages_ = ui::LoadImageStrip(IDB_OPTION_TABS, 16, ILC_COLOR4);
    if (tabImages_) TabCtrl_SetImageList(tabs_, tabImages_.Get());
}

void OptionsSheet::CreatePages() {
    for (int tab = 0; tab < kTabCount; ++tab) {
        HWND page = Page(tab).Create(tabs_, kOptionTabs[tab].templateId);
        std::string title = text::LookupText(kOptionTabs[tab].textKey);
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
        item.pszText = title.data();
        item.iImage = kOptionTabs[tab].image;
        item.lParam = reinterpret_cast<LPARAM>(page);
        ::SendMessageA(tabs_, TCM_INSERTITEMA, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
    }
}

void OptionsSheet::ShowTab(int tab) {
    if (tab < 0 || tab >= kTabCount || !tabs_) return;
    if (TabCtrl_GetCurSel(tabs_) != tab) TabCtrl_SetCurSel(tabs_, tab);
    HWND focus = ::GetFocus();
    bool focusInOldPage = false;
    if (shown_ >= 0 && shown_ != tab) {
        HWND old = Page(shown_).Hwnd();
        focusInOldPage = focus && ::IsChild(old, focus);
        ::ShowWindow(old, SW_HIDE);
    }
    shown_ = tab;
    PlaceShownPage();
    HWND page = Page(tab).Hwnd();
    ::ShowWindow(page, SW_SHOW);
    // Focus must not stay on a control that is hidden now.
    if (focusInOldPage) {
        HWND first = ::GetNextDlgTabItem(page, nullptr, FALSE);
        ::SetFocus(first ? first : Item(IDOK));
    }
}

void OptionsSheet::PlaceShownPage() const {
    if (shown_ < 0 || !tabs_) return;
    RECT client{};
    ::GetClientRect(tabs_, &client);
    RECT item{};
    int tabHeight = TabCtrl_GetItemRect(tabs_, 0, &item) ? item.bottom - item.top : 0;
    RECT page = PagePlacement(client, tabHeight, TabCtrl_GetRowCount(tabs_));
    ::SetWindowPos(Page(shown_).Hwnd(), HWND_TOP, page.left, page.top, page.right - page.left, page.bottom - page.top,
                   SWP_NOACTIVATE);
}

void OptionsSheet::Close(INT_PTR code) {
    result_ = code;
    End(code);
}

bool OptionsSheet::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDOK: {
            // What may fail goes first: a page that could not carry out its
            // change is shown with its message, and nothing is saved.
            for (int tab = 0; tab < kTabCount; ++tab) {
                if (!Page(tab).Commit()) {
                    ShowTab(tab);
                    return true;
                }
            }
            bool saved = true;
            for (const auto& page : pages_) saved &= page->SavePage();
            if (!saved) ui::ShowMessage(Hwnd(), "_SettingsNotSaved", MB_OK | MB_ICONEXCLAMATION);
            Close(IDOK);
            return true;
        }
        case IDCANCEL:
            Close(IDCANCEL);
            return true;
        case IDC_DEFAULT_ALL:
            for (const auto& page : pages_) page->LoadPage(config::ValueSet::Default);
            return true;
        default:
            return false;
    }
}

bool OptionsSheet::OnNotify(const NMHDR& header, LRESULT&) {
    if (header.hwndFrom != tabs_ || header.code != TCN_SELCHANGE) return false;
    ShowTab(TabCtrl_GetCurSel(tabs_));
    return true;
}

void OptionsSheet::OnSize(int width, int height) {
    layout_.Apply(width, height);
    PlaceShownPage();
}

bool OptionsSheet::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != WM_GETMINMAXINFO || minimumSize_.cx == 0) return false;
    auto& info = *reinterpret_cast<MINMAXINFO*>(lParam);
    info.ptMinTrackSize = {minimumSize_.cx, minimumSize_.cy};
    result = 0;
    return true;
}

}  // namespace options
