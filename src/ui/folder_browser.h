#pragma once
// The system's folder browser behind a replaceable function, so that tests
// can answer it. The program always uses the system's browser.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace ui {

// Returns the chosen folder's full file-system path, or nothing when the user
// cancelled or chose an item that has no file-system path.
using FolderBrowser = std::function<std::optional<std::string>()>;

// Shows the current browser (the system's unless replaced).
std::optional<std::string> BrowseForFolder();

// The system's browser: owned by the active window, rooted at the desktop,
// without a title, offering file-system folders only.
std::optional<std::string> SystemFolderBrowser();

// Replaces the browser; an empty function restores the system's. Returns
// the previous one.
FolderBrowser SetFolderBrowser(FolderBrowser browser);

}  // namespace ui
