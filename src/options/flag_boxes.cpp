#include "options/flag_boxes.h"

namespace options {

void ShowFlag(HWND dialog, int boxId, int32_t flag) {
    ::CheckDlgButton(dialog, boxId, flag != 0 ? BST_CHECKED : BST_UNCHECKED);
}

int32_t ReadFlag(HWND dialog, int boxId) { return ::IsDlgButtonChecked(dialog, boxId) == BST_CHECKED ? 1 : 0; }

}  // namespace options
