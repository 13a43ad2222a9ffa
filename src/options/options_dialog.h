#pragma once
// The options dialog (its tabs) and the advanced settings dialog.
#include <windows.h>

#include "ui/folder_browser.h"

namespace options {

enum OptionsTab : int {
    kJunkTypesTab = 0,
    kSearchOptionsTab = 1,
    kSkipFoldersTab = 2,
    kCleanOptionsTab = 3,
    kApplicationsTab = 4,
    kScheduleTab = 5,
    kLanguageTab = 6,
};

// Runs the options dialog modally over owner, showing firstTab, with the
// folder browser its pages offer; returns IDOK (the settings were saved) or
// IDCANCEL.
INT_PTR ShowOptionsDialog(HWND owner, int firstTab, const ui::FolderBrowser& browse);

// Runs the advanced settings dialog (the thirteen trace switches), which
// saves them itself on OK; returns IDOK or IDCANCEL.
INT_PTR ShowAdvancedSettings(HWND owner);

}  // namespace options
