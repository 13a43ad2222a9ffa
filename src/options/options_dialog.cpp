#include "options/options_dialog.h"

#include "options/advanced_settings_dialog.h"
#include "options/options_sheet.h"

namespace options {

namespace {

// Callers may pass one of their child windows (a wizard page); the dialog
// belongs to that window's top-level window, or to the active window.
HWND OwnerOf(HWND owner) { return owner ? ::GetAncestor(owner, GA_ROOT) : ::GetActiveWindow(); }

}  // namespace

INT_PTR ShowOptionsDialog(HWND owner, int firstTab, const ui::FolderBrowser& browse) {
    OptionsSheet sheet(firstTab, browse);
    return sheet.Run(OwnerOf(owner));
}

INT_PTR ShowAdvancedSettings(HWND owner) {
    AdvancedSettingsDialog dialog;
    return dialog.Run(OwnerOf(owner));
}

}  // namespace options
