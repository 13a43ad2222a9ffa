#include "ui/file_chooser.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

namespace ui {

std::optional<std::string> SystemFileChooser() {
    // Room for a long path; the dialog says when a name does not fit.
    std::vector<char> name(32768, '\0');
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = ::GetActiveWindow();
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   OFN_DONTADDTORECENT;
    if (!::GetOpenFileNameA(&dialog)) return std::nullopt;
    return std::string(name.data());
}

}  // namespace ui
