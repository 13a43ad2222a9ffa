#pragma once
// The system's folder browser, and the shape of any stand-in for it.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace ui {

// Returns the chosen folder's full file-system path, or nothing when the user
// cancelled or chose an item that has no file-system path.
using FolderBrowser = std::function<std::optional<std::string>()>;

// The system's browser: owned by the active window, rooted at the desktop,
// without a title, offering file-system folders only.
std::optional<std::string> SystemFolderBrowser();

}  // namespace ui
