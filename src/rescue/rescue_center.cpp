#include "rescue/rescue_center.h"

#include <algorithm>

#include "clean/backup_layout.h"
#include "clean/clean_log.h"
#include "paths/path_text.h"
#include "platform/file_query.h"
#include "rescue/backup_sets.h"
#include "rescue/rescue_center_dialog.h"
#include "rescue/rescue_resources.h"
#include "rescue/restore.h"
#include "text/format_template.h"
#include "text/language_table.h"
#include "ui/popup_menu.h"
#include "ui/shell_actions.h"

namespace rescue {

const RescueCenter::SetAction RescueCenter::kDelete{"_AreYouSureDelBackupFile", DeleteSet};
const RescueCenter::SetAction RescueCenter::kRestore{"_AreYouSureRestoreBackupFile",
                                                     [](const std::string& set) { RestoreSet(set); }};

RescueCenter::RescueCenter() : RescueCenter(ui::OpenWithShell) {}

RescueCenter::RescueCenter(FolderOpener openFolder) : openFolder_(std::move(openFolder)) {}

bool RescueCenter::OnInit() {
    ui::CenterWindow(Hwnd(), ::GetWindow(Hwnd(), GW_OWNER));
    text::TranslateWindow(Hwnd());
    list_.Attach(Item(IDC_RESCUE_SET_LIST));
    images_ = ui::CreateSmallImageList(0, 16);
    list_.LendSmallImages(images_);
    FillList();
    return true;
}

void RescueCenter::FillList() {
    const int selected = list_.Selected();
    list_.DeleteAll();
    setPaths_.clear();
    const std::string format = text::LookupText("_udItemFormat");
    for (const SetFolder& folder : ListSetFolders(clean::BackupRoot())) {
        if (!folder.time) continue;
        ui::Icon icon = ui::SmallIconOfPath(folder.path);
        if (!icon) continue;
        const int image = ::ImageList_AddIcon(images_.Get(), icon.Get());
        const SetTime& t = *folder.time;
        setPaths_.push_back(folder.path);
        list_.InsertItem(list_.Count(),
                         text::FormatTemplate(format, {t.month, t.day, t.year, t.hour, t.minute, t.second}), image,
                         static_cast<LPARAM>(setPaths_.size()));
    }
    const bool anySet = list_.Count() > 0;
    if (!anySet) {
        // A shared system icon: the image list copies it and nothing is destroyed.
        const int image = ::ImageList_AddIcon(images_.Get(), ::LoadIconA(nullptr, IDI_INFORMATION));
        list_.InsertItem(0, text::LookupText("_NoBackupItemBeFound"), image, 0);
    }
    for (int id : {IDC_RESCUE_DELETE, IDC_RESCUE_RESTORE, IDC_RESCUE_OPEN_LOG}) EnableItem(id, anySet);
    if (selected >= 0) list_.Select(std::min(selected, list_.Count() - 1));
}

const std::string* RescueCenter::PathOfRow(int row) const {
    LPARAM data = list_.Data(row);
    if (data <= 0 || static_cast<size_t>(data) > setPaths_.size()) return nullptr;
    return &setPaths_[static_cast<size_t>(data) - 1];
}

void RescueCenter::SetBusy(bool busy) {
    busy_ = busy;
    for (int id : {IDC_RESCUE_RESTORE, IDC_RESCUE_DELETE, IDC_RESCUE_OPEN_LOG, IDCANCEL}) EnableItem(id, !busy);
}

const std::string* RescueCenter::SelectedSetPath() const {
    const int row = list_.Selected();
    if (row < 0) {
        ui::ShowMessage(Hwnd(), "_pleaseselectandate", MB_OK | MB_ICONINFORMATION);
        return nullptr;
    }
    return PathOfRow(row);
}

void RescueCenter::Run(const SetAction& action) {
    const std::string* path = SelectedSetPath();
    if (!path) return;
    if (ui::ShowMessage(Hwnd(), action.questionKey, MB_OKCANCEL | MB_ICONINFORMATION) != IDOK) return;
    const std::string setPath = *path;  // the refill below replaces the rows' paths
    SetBusy(true);
    action.work(setPath);
    SetItemText(IDC_RESCUE_STATUS, text::LookupText("_udCompleted").c_str());
    SetBusy(false);
    FillList();
}

void RescueCenter::OpenLog() {
    const std::string* path = SelectedSetPath();
    if (!path) return;
    // The set's clean logged under the set's name.
    const std::string log = clean::LogPathFor(paths::LastComponent(*path));
    const DWORD attributes = platform::AttributesOf(log);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ui::ShowMessage(Hwnd(), "_udNoLog", MB_OK | MB_ICONINFORMATION);
        return;
    }
    openFolder_(log);
}

void RescueCenter::ShowMenu(POINT at) {
    const int row = list_.Selected();
    if (row < 0 || !PathOfRow(row) || busy_) return;
    if (ui::TrackPopupMenuAt(Hwnd(), {{kOpenLog, "_udOpenLog", true}}, at) == kOpenLog) OpenLog();
}

bool RescueCenter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
    if (message != WM_CONTEXTMENU || !ui::IsKeyboardMenuRequest(list_.Hwnd(), wParam, lParam)) return false;
    ShowMenu(ui::KeyboardMenuPoint(list_.Hwnd()));
    return true;
}

bool RescueCenter::OnCommand(int id, int, HWND) {
    switch (id) {
        case IDC_RESCUE_OPEN_LOG:
            if (!busy_) OpenLog();
            return true;
        case IDC_RESCUE_DELETE:
            if (!busy_) Run(kDelete);
            return true;
        case IDC_RESCUE_RESTORE:
            if (!busy_) Run(kRestore);
            return true;
        case IDCANCEL:
            // The shell's progress window lets messages through while a set is deleted.
            if (!busy_) End(IDCANCEL);
            return true;
        default:
            return false;
    }
}

bool RescueCenter::OnNotify(const NMHDR& header, LRESULT&) {
    if (header.idFrom != IDC_RESCUE_SET_LIST) return false;
    if (header.code == NM_RCLICK) {
        ShowMenu(ui::CursorPoint());
        return true;
    }
    if (header.code != NM_DBLCLK) return false;
    const int row = list_.Selected();
    if (row < 0) return true;
    if (const std::string* path = PathOfRow(row)) openFolder_(*path);
    return true;
}

void ShowRescueCenter(HWND owner) {
    RescueCenter center;
    center.RunModal(owner, IDD_RESCUE_CENTER);
}

}  // namespace rescue
