#include "options/options_dialog.h"

// Placeholder until the options dialog lands: nothing is shown or saved.
namespace options {

INT_PTR ShowOptionsDialog(HWND, int) { return IDCANCEL; }
INT_PTR ShowAdvancedSettings(HWND) { return IDCANCEL; }

}  // namespace options
