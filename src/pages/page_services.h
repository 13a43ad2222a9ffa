#pragma once
// The outside services the pages call: the settings dialogs, the shell and
// pop-up menus. Each page holds a copy, so a test can put recorders in.
#include <windows.h>

#include <string>
#include <vector>

#include "options/options_dialog.h"
#include "ui/popup_menu.h"
#include "ui/shell_actions.h"

namespace pages {

struct SettingsDialogs {
    INT_PTR (*options)(HWND owner, int firstTab) = options::ShowOptionsDialog;
    INT_PTR (*advanced)(HWND owner) = options::ShowAdvancedSettings;
};

struct ShellServices {
    void (*properties)(HWND owner, const std::string& path) = ui::ShowProperties;
    void (*showInExplorer)(const std::string& path) = ui::ShowInExplorer;
    // Shows a pop-up menu at a point of the screen; returns the chosen
    // command or 0.
    int (*trackMenu)(HWND owner, const std::vector<ui::MenuEntry>& entries, POINT at) = ui::TrackPopupMenuAt;
};

}  // namespace pages
