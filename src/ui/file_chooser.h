#pragma once
// The system's dialog for opening a file, and the shape of any stand-in
// for it.
#include <functional>
#include <optional>
#include <string>

namespace ui {

// Returns the chosen file's full path, or nothing when the user cancelled.
using FileChooser = std::function<std::optional<std::string>()>;

// The system's dialog: owned by the active window, existing files only; it
// leaves the current folder and the recent documents alone.
std::optional<std::string> SystemFileChooser();

}  // namespace ui
