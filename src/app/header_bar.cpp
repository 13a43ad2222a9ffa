#include "app/header_bar.h"

#include "app/app_resources.h"
#include "app/page_host.h"
#include "options/options_dialog.h"
#include "pages/page_protocol.h"
#include "text/language_table.h"

namespace app {

namespace {

struct HeaderButton {
    int controlId;
    int iconId;
};
constexpr HeaderButton kButtons[] = {
    {IDC_RESCUE_BUTTON, IDI_RESCUE_BUTTON},
    {IDC_OPTIONS_BUTTON, IDI_OPTIONS_BUTTON},
    {IDC_HELP_BUTTON, IDI_HELP_BUTTON},
};

struct HelpPage {
    int command;
    const char* key;
    const char* address;
};
constexpr HelpPage kHelpPages[] = {
    {kOnlineManual, "_OnlineManual", "https://junksweep.example.org/manual"},
    {kHomePage, "_HomePageWeb", "https://junksweep.example.org/"},
    {kOnlineSupport, "_OnlineSupport", "https://junksweep.example.org/support"},
};

std::vector<ui::MenuEntry> HelpMenu() {
    std::vector<ui::MenuEntry> entries;
    for (const HelpPage& page : kHelpPages) entries.push_back({page.command, page.key});
    return entries;
}

}  // namespace

std::string HelpAddress(int command) {
    for (const HelpPage& page : kHelpPages) {
        if (page.command == command) return page.address;
    }
    return {};
}

bool HeaderBar::OnInit() {
    text::TranslateWindow(Hwnd());
    background_ = ui::LoadResourceBitmap(IDB_HEADER_BACKGROUND);
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        icons_[i] = ui::LoadResourceIcon(kButtons[i].iconId);
        ui::ButtonLook look;
        look.icon = icons_[i].Get();
        look.iconAbove = true;
        look.transparent = true;
        look.text = RGB(255, 255, 255);
        look.textHover = RGB(255, 255, 255);
        buttons_[i].Attach(Item(kButtons[i].controlId), look);
    }
    return false;
}

void HeaderBar::PaintBackground(HDC dc) const {
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    BITMAP info{};
    if (!background_ || !::GetObjectA(background_.Get(), sizeof info, &info)) {
        ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_ACTIVECAPTION));
        return;
    }
    ui::MemoryDc memory(::CreateCompatibleDC(dc));
    // Selected out again before the memory context goes.
    ui::SelectObjectScope select(memory.Get(), background_.Get());
    ::BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory.Get(), 0, 0, SRCCOPY);
    // Beyond the picture (a larger font or screen), its last column and
    // row are carried on.
    if (client.right > info.bmWidth) {
        ::StretchBlt(dc, info.bmWidth, 0, client.right - info.bmWidth, info.bmHeight, memory.Get(), info.bmWidth - 1,
                     0, 1, info.bmHeight, SRCCOPY);
    }
    if (client.bottom > info.bmHeight) {
        ::StretchBlt(dc, 0, info.bmHeight, client.right, client.bottom - info.bmHeight, memory.Get(),
                     info.bmWidth - 1, info.bmHeight - 1, 1, 1, SRCCOPY);
    }
}

bool HeaderBar::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
        case WM_ERASEBKGND:
        case WM_PRINTCLIENT:
            PaintBackground(reinterpret_cast<HDC>(wParam));
            result = TRUE;
            return true;
        default:
            return false;
    }
}

bool HeaderBar::OnCommand(int id, int, HWND) {
    switch (id) {
        case IDC_RESCUE_BUTTON:
            services_.rescueCenter(::GetActiveWindow());
            return true;
        case IDC_OPTIONS_BUTTON:
            ShowOptions();
            return true;
        case IDC_HELP_BUTTON:
            ShowHelpMenu();
            return true;
        default:
            return false;
    }
}

void HeaderBar::ShowOptions() {
    if (services_.ShowOptions(::GetActiveWindow(), options::kJunkTypesTab) != IDOK) return;
    auto page = reinterpret_cast<HWND>(::SendMessageA(pages::WizardOf(Hwnd()), pages::WM_WIZARD_GETCURRENTPAGE, 0, 0));
    if (IsPageShown(page)) ::SendMessageA(page, pages::WM_WIZARD_SETTINGSCHANGED, 0, 0);
}

void HeaderBar::ShowHelpMenu() {
    RECT button{};
    ::GetWindowRect(Item(IDC_HELP_BUTTON), &button);
    std::string address = HelpAddress(services_.trackMenu(Hwnd(), HelpMenu(), POINT{button.left, button.bottom}));
    if (!address.empty()) services_.openAddress(address);
}

}  // namespace app
