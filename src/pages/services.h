#pragma once
// The outside services the wizard's pages and header bar call: the settings
// dialogs, the rescue center, the folder browser the options dialog offers,
// the shell and pop-up menus. The program hands every page the system's
// (app/system_services.h) when it makes them; tests hand in recorders.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/folder_browser.h"
#include "ui/popup_menu.h"

namespace pages {

struct Services {
    // Runs the options dialog on a tab with the given folder browser;
    // IDOK when the settings were saved.
    std::function<INT_PTR(HWND owner, int firstTab, const ui::FolderBrowser& browse)> options;
    // Runs the advanced settings dialog; IDOK when the settings were saved.
    std::function<INT_PTR(HWND owner)> advancedSettings;
    std::function<void(HWND owner)> rescueCenter;
    ui::FolderBrowser browseForFolder;
    // The shell's property sheet of a file, folder or drive.
    std::function<void(HWND owner, const std::string& path)> properties;
    // The file manager with the file selected.
    std::function<void(const std::string& path)> showInExplorer;
    // A web page or document, opened with the shell.
    std::function<void(const std::string& address)> openAddress;
    // Shows a pop-up menu at a point of the screen; returns the chosen
    // command or 0.
    std::function<int(HWND owner, const std::vector<ui::MenuEntry>& entries, POINT at)> trackMenu;

    // The options dialog with this record's folder browser.
    INT_PTR ShowOptions(HWND owner, int firstTab) const { return options(owner, firstTab, browseForFolder); }
};

}  // namespace pages
