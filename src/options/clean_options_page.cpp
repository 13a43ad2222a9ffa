#include "options/clean_options_page.h"

#include <commctrl.h>

#include <string>

#include "options/flag_boxes.h"
#include "options/option_rules.h"
#include "options/options_dialog.h"
#include "options/options_ids.h"
#include "ui/folder_browser.h"

namespace options {

namespace {

// The three disposal radio buttons and the backup box.
constexpr FlagBox<config::CleanOptions> kFlagBoxes[] = {
    {IDC_CLEAN_FROM_DISK, &config::CleanOptions::clean},
    {IDC_MOVE_TO_RECYCLE, &config::CleanOptions::moveToRecycle},
    {IDC_MOVE_TO_FOLDER, &config::CleanOptions::moveToFolder},
    {IDC_BACKUP, &config::CleanOptions::backup},
    {IDC_REMOVE_OLD_SETS, &config::CleanOptions::removeOldSets},
};

constexpr ui::LayoutRule kLayout[] = {
    {IDC_PAGE_ICON, ui::kAnchorTopLeft},     {IDC_PAGE_INFO, ui::kAnchorTopWide},
    {IDC_DISPOSAL_GROUP, ui::kAnchorTopWide}, {IDC_CLEAN_FROM_DISK, ui::kAnchorTopWide},
    {IDC_MOVE_TO_RECYCLE, ui::kAnchorTopWide}, {IDC_MOVE_TO_FOLDER, ui::kAnchorTopWide},
    {IDC_TARGET_FOLDER, ui::kAnchorTopWide},  {IDC_BACKUP_GROUP, ui::kAnchorTopWide},
    {IDC_BACKUP, ui::kAnchorTopWide},         {IDC_BACKUP_NOTE, ui::kAnchorTopWide},
    {IDC_REMOVE_OLD_SETS, ui::kAnchorTopLeft}, {IDC_SET_AGE_DAYS, ui::kAnchorTopLeft},
    {IDC_SET_AGE_SPIN, ui::kAnchorTopLeft},   {IDC_SET_AGE_LABEL, ui::kAnchorTopLeft},
    {IDC_ADVANCED, ui::kAnchorBottomRight},   {IDC_PAGE_DEFAULT, ui::kAnchorBottomRight},
};

}  // namespace

bool CleanOptionsPage::OnInit() {
    InitPage(kLayout);
    ::SendMessageA(Item(IDC_SET_AGE_SPIN), UDM_SETRANGE32, config::kMinSetAgeDays, config::kMaxSetAgeDays);
    LoadPage(config::ValueSet::Custom);
    return false;
}

void CleanOptionsPage::LoadPage(config::ValueSet set) {
    record_ = config::LoadCleanOptions(set);
    RecordToControls();
}

bool CleanOptionsPage::SavePage() {
    ControlsToRecord();
    return config::SaveCleanOptions(record_);
}

void CleanOptionsPage::RecordToControls() {
    ClampFlags(record_);
    ShowFlags(Hwnd(), kFlagBoxes, record_);
    SetItemText(IDC_TARGET_FOLDER, record_.moveToFolderPath.c_str());
    SetItemText(IDC_SET_AGE_DAYS, std::to_string(record_.setAgeDays).c_str());
    EnableSetAge();
}

void CleanOptionsPage::EnableSetAge() const {
    const bool on = ReadFlag(Hwnd(), IDC_REMOVE_OLD_SETS) != 0;
    EnableItem(IDC_SET_AGE_DAYS, on);
    EnableItem(IDC_SET_AGE_SPIN, on);
}

void CleanOptionsPage::ControlsToRecord() {
    ReadFlags(Hwnd(), kFlagBoxes, record_);
    record_.moveToFolderPath = ItemText(IDC_TARGET_FOLDER);
    if (auto days = ParseSetAgeDays(ItemText(IDC_SET_AGE_DAYS))) {
        record_.setAgeDays = *days;
    } else {
        // An empty box keeps the suggested age rather than none at all.
        record_.setAgeDays = config::kSuggestedSetAgeDays;
    }
}

void CleanOptionsPage::ChooseTargetFolder() {
    ControlsToRecord();
    if (record_.moveToFolder) {
        if (std::optional<std::string> folder = browse_()) record_.moveToFolderPath = *folder;
    }
    RecordToControls();
}

bool CleanOptionsPage::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_MOVE_TO_FOLDER:
            ChooseTargetFolder();
            return true;
        case IDC_REMOVE_OLD_SETS:
            EnableSetAge();
            return true;
        case IDC_ADVANCED:
            ShowAdvancedSettings(TopWindow());
            return true;
        case IDC_PAGE_DEFAULT:
            LoadPage(config::ValueSet::Default);
            return true;
        default:
            return false;
    }
}

}  // namespace options
