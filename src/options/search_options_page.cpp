#include "options/search_options_page.h"

#include "options/flag_boxes.h"
#include "options/option_rules.h"
#include "options/options_ids.h"

namespace options {

namespace {

constexpr FlagBox<config::SearchOptions> kSwitchBoxes[] = {
    {IDC_SKIP_READONLY, &config::SearchOptions::skipReadOnlyFiles},
    {IDC_SKIP_HIDDEN, &config::SearchOptions::skipHiddenFiles},
    {IDC_SKIP_SYSTEM, &config::SearchOptions::skipSystemFiles},
    {IDC_FIND_NOT_ACCESSED, &config::SearchOptions::findFilesNotAccessed},
    {IDC_FIND_ZERO_LENGTH, &config::SearchOptions::findZeroLengthFiles},
    {IDC_FIND_INVALID_SHORTCUTS, &config::SearchOptions::findInvalidShortcuts},
};

constexpr ui::LayoutRule kLayout[] = {
    {IDC_PAGE_ICON, ui::kAnchorTopLeft},
    {IDC_PAGE_INFO, ui::kAnchorTopWide},
    {IDC_PAGE_DEFAULT, ui::kAnchorBottomRight},
};

}  // namespace

bool SearchOptionsPage::OnInit() {
    InitPage(kLayout);
    LoadPage(config::ValueSet::Custom);
    ControlsToRecord();
    return false;
}

void SearchOptionsPage::LoadPage(config::ValueSet set) {
    record_ = config::LoadSearchOptions(set);
    RecordToControls();
    EnableMonths();
}

bool SearchOptionsPage::SavePage() {
    ControlsToRecord();
    return config::SaveSearchOptions(record_);
}

void SearchOptionsPage::RecordToControls() {
    ClampFlags(record_);
    ShowFlags(Hwnd(), kSwitchBoxes, record_);
    SetItemText(IDC_MONTHS, FormatMonths(record_.months).c_str());
}

void SearchOptionsPage::ControlsToRecord() {
    ReadFlags(Hwnd(), kSwitchBoxes, record_);
    if (auto months = ParseMonths(ItemText(IDC_MONTHS))) {
        record_.months = *months;
    } else {
        record_.months = 0;
        ::MessageBeep(MB_OK);
        ::SetFocus(Item(IDC_MONTHS));
    }
}

void SearchOptionsPage::EnableMonths() const { EnableItem(IDC_MONTHS, ReadFlag(Hwnd(), IDC_FIND_NOT_ACCESSED) != 0); }

bool SearchOptionsPage::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_FIND_NOT_ACCESSED:
            ControlsToRecord();
            EnableMonths();
            return true;
        case IDC_PAGE_DEFAULT:
            LoadPage(config::ValueSet::Default);
            return true;
        default:
            return false;
    }
}

}  // namespace options
