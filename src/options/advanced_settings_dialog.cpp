#include "options/advanced_settings_dialog.h"

#include <iterator>
#include <string_view>

#include "config/settings_paths.h"
#include "options/flag_boxes.h"
#include "options/option_rules.h"
#include "options/options_ids.h"
#include "text/language_table.h"

namespace options {

namespace {

struct TraceSwitchBox {
    int boxId;
    std::string_view setting;
};

// One box per trace switch, in the order of the switches in the settings.
constexpr TraceSwitchBox kTraceSwitchBoxes[] = {
    {IDC_TRACE_SWITCH_FIRST + 0, "/Config/Options/AdvCleanOpt/CleanClipBoard"},
    {IDC_TRACE_SWITCH_FIRST + 1, "/Config/Options/AdvCleanOpt/CleanRas"},
    {IDC_TRACE_SWITCH_FIRST + 2, "/Config/Options/AdvCleanOpt/CleanSysTempDir"},
    {IDC_TRACE_SWITCH_FIRST + 3, "/Config/Options/AdvCleanOpt/CleanRecycleBin"},
    {IDC_TRACE_SWITCH_FIRST + 4, "/Config/Options/AdvCleanOpt/CleanRunHistory"},
    {IDC_TRACE_SWITCH_FIRST + 5, "/Config/Options/AdvCleanOpt/CleanDocHistory"},
    {IDC_TRACE_SWITCH_FIRST + 6, "/Config/Options/AdvCleanOpt/CleanWinlogon"},
    {IDC_TRACE_SWITCH_FIRST + 7, "/Config/Options/AdvCleanOpt/CleanFindFileForderHistory"},
    {IDC_TRACE_SWITCH_FIRST + 8, "/Config/Options/AdvCleanOpt/CleanSearchComputerHistory"},
    {IDC_TRACE_SWITCH_FIRST + 9, "/Config/Options/AdvCleanOpt/CleanNetHoodHistory"},
    {IDC_TRACE_SWITCH_FIRST + 10, "/Config/Options/AdvCleanOpt/CleanTelnetHistory"},
    {IDC_TRACE_SWITCH_FIRST + 11, "/Config/Options/AdvCleanOpt/CleanInternetUrlHistory"},
    {IDC_TRACE_SWITCH_FIRST + 12, "/Config/Options/AdvCleanOpt/CleanInternetTempFiles"},
};

constexpr bool SameOrderAsSettings() {
    if (std::size(kTraceSwitchBoxes) != config::path::kAdvClean.size()) return false;
    for (size_t i = 0; i < std::size(kTraceSwitchBoxes); ++i) {
        if (kTraceSwitchBoxes[i].setting != std::string_view(config::path::kAdvClean[i])) return false;
    }
    return true;
}
static_assert(SameOrderAsSettings(), "the boxes must follow the order of the trace switches");

}  // namespace

INT_PTR AdvancedSettingsDialog::Run(HWND owner) {
    owner_ = owner;
    return RunModal(owner, IDD_ADVANCED_SETTINGS);
}

bool AdvancedSettingsDialog::OnInit() {
    ui::CenterWindow(Hwnd(), owner_);
    text::TranslateWindow(Hwnd());
    Show(config::LoadAdvCleanOptions(config::ValueSet::Custom));
    return true;
}

void AdvancedSettingsDialog::Show(config::AdvCleanOptions switches) const {
    ClampFlags(switches);
    for (size_t i = 0; i < switches.size(); ++i) {
        ShowFlag(Hwnd(), kTraceSwitchBoxes[i].boxId, switches[i]);
    }
}

config::AdvCleanOptions AdvancedSettingsDialog::Read() const {
    config::AdvCleanOptions switches{};
    for (size_t i = 0; i < switches.size(); ++i) {
        switches[i] = ReadFlag(Hwnd(), kTraceSwitchBoxes[i].boxId);
    }
    return switches;
}

bool AdvancedSettingsDialog::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_PAGE_DEFAULT:
            Show(config::LoadAdvCleanOptions(config::ValueSet::Default));
            return true;
        case IDOK:
            config::SaveAdvCleanOptions(Read());
            End(IDOK);
            return true;
        case IDCANCEL:
            End(IDCANCEL);
            return true;
        default:
            return false;
    }
}

}  // namespace options
