#include "options/advanced_settings_dialog.h"

#include "options/flag_boxes.h"
#include "options/option_rules.h"
#include "options/options_ids.h"
#include "text/language_table.h"
#include "ui/shell_actions.h"

namespace options {

namespace {

// The boxes are consecutive controls, in the order of the trace switches.
int BoxOf(size_t switchIndex) { return IDC_TRACE_SWITCH_FIRST + static_cast<int>(switchIndex); }

}  // namespace

INT_PTR AdvancedSettingsDialog::Run(HWND owner) { return RunModal(owner, IDD_ADVANCED_SETTINGS); }

bool AdvancedSettingsDialog::OnInit() {
    ui::CenterWindow(Hwnd(), ::GetWindow(Hwnd(), GW_OWNER));
    text::TranslateWindow(Hwnd());
    Show(config::LoadAdvCleanOptions(config::ValueSet::Custom));
    return true;
}

void AdvancedSettingsDialog::Show(config::AdvCleanOptions switches) const {
    ClampFlags(switches);
    for (size_t i = 0; i < switches.size(); ++i) {
        ShowFlag(Hwnd(), BoxOf(i), switches[i]);
    }
}

config::AdvCleanOptions AdvancedSettingsDialog::Read() const {
    config::AdvCleanOptions switches{};
    for (size_t i = 0; i < switches.size(); ++i) {
        switches[i] = ReadFlag(Hwnd(), BoxOf(i));
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
            if (!config::SaveAdvCleanOptions(Read())) {
                ui::ShowMessage(Hwnd(), "_SettingsNotSaved", MB_OK | MB_ICONEXCLAMATION);
            }
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
