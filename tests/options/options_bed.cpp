#include "options_bed.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "options/options_ids.h"
#include "support/settings_xml.h"
#include "ui/list_view.h"

namespace optest {

namespace {

testsupport::SettingsValues FactoryValues() {
    testsupport::SettingsValues factory;
    factory.showWelcome = 1;
    factory.search = {1, 0, 1, 0, 1, 1, 6};
    factory.junkTypes = {{"*.tmp", "Temporary file", 1}, {"*.bak", "Backup copy", 0}, {"~*", "Leftover", 1}};
    factory.skipFolders = {{"d:\\system", 1}, {"d:\\programs", 0}};
    factory.clean = {0, 1, 0, 1, "", 0, 30};
    factory.traces = {1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1};
    return factory;
}

testsupport::SettingsValues UserValues() {
    testsupport::SettingsValues user;
    user.showWelcome = 0;
    user.search = {0, 1, 0, 1, 0, 0, 12};
    user.junkTypes = {{"*.old", "Old file", 0}, {"*.chk", "Disk check", 1}};
    user.skipFolders = {{"d:\\keep", 1}};
    user.clean = {0, 0, 1, 0, "d:\\moved", 1, 7};
    user.keepList = {{"d:\\kept\\a.tmp", false}, {"d:\\kept folder", true}};
    user.traces = {0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0};
    return user;
}

}  // namespace

const std::string kSettingsXml = testsupport::SettingsDocumentXml(FactoryValues(), UserValues());

ProgramBed::ProgramBed(Settings settings) : place_("options") {
    switch (settings) {
        case Settings::Fixture: place_.WriteSettings(kSettingsXml); break;
        case Settings::Shipped: place_.CopyShipped("JunkSweep.xml"); break;
        case Settings::Missing: break;
        case Settings::Malformed: place_.WriteSettings("<Config><Options><Search></Config"); break;
    }
}

ui::FolderBrowser UnexpectedBrowser() {
    return []() -> std::optional<std::string> {
        ADD_FAILURE() << "unexpected folder browser";
        return std::nullopt;
    };
}

ui::FileChooser UnexpectedChooser() {
    return []() -> std::optional<std::string> {
        ADD_FAILURE() << "unexpected file dialog";
        return std::nullopt;
    };
}

ui::FolderBrowser BrowserAnswers::Browser() {
    return [this]() -> std::optional<std::string> {
        size_t turn = static_cast<size_t>(asked_++);
        return turn < answers_.size() ? answers_[turn] : std::nullopt;
    };
}

OpenSheet::OpenSheet(int firstTab, const ui::FolderBrowser& browse, platform::TaskFolder* tasks,
                     ui::FileChooser chooseFile, std::optional<scan::AppFolders> appFolders)
    : sheet_(firstTab, browse, tasks, std::move(chooseFile), std::move(appFolders)) {
    sheet_.Create(nullptr, IDD_OPTIONS);
}

void OpenSheet::SelectTab(int tab) {
    // A click on the tab, as the user makes it.
    HWND tabs = Item(IDC_OPTION_TABS);
    RECT item{};
    TabCtrl_GetItemRect(tabs, tab, &item);
    LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(tabs, WM_LBUTTONUP, 0, at);
}

int CheckListTab::Image(int row) {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    ListView_GetItem(List(), &item);
    return item.iImage;
}

void CheckListTab::Ok() { Click(sheet.Item(IDOK)); }

void Click(HWND button) { ::SendMessageA(button, BM_CLICK, 0, 0); }

void ClickIcon(HWND iconStatic) {
    ::SendMessageA(iconStatic, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageA(iconStatic, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

void RightClickList(HWND list) {
    NMITEMACTIVATE click{};
    click.hdr.hwndFrom = list;
    click.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(list));
    click.hdr.code = NM_RCLICK;
    click.iItem = -1;
    ::SendMessageA(::GetParent(list), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
}

bool IsChecked(HWND box) { return ::SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

std::vector<std::pair<std::string, bool>> ListRows(HWND list) {
    ui::ListView view(list);
    std::vector<std::pair<std::string, bool>> rows;
    for (int row = 0; row < view.Count(); ++row) rows.push_back({view.Text(row, 0), view.Checked(row)});
    return rows;
}

int SelectedRow(HWND list) { return ui::ListView(list).Selected(); }

void SelectRow(HWND list, int row) { ui::ListView(list).Select(row); }

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG start = ::GetTickCount64();
    for (;;) {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        if (condition()) return true;
        if (::GetTickCount64() - start > timeoutMs) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace optest
