#include "options/options_dialog.h"

#include "options/advanced_settings_dialog.h"
#include "options/options_sheet.h"

namespace options {

INT_PTR ShowOptionsDialog(HWND owner, int firstTab) {
    OptionsSheet sheet(firstTab);
    return sheet.Run(owner ? owner : ::GetActiveWindow());
}

INT_PTR ShowAdvancedSettings(HWND owner) {
    AdvancedSettingsDialog dialog;
    return dialog.Run(owner ? owner : ::GetActiveWindow());
}

}  // namespace options
