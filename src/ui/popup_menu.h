#pragma once
// Pop-up menus built from a table of items and tracked until the user picks
// one; the chosen command comes back and the menu is destroyed.
#include <windows.h>

#include <vector>

namespace ui {

struct MenuEntry {
    int command;         // 0 makes a separator
    const char* key;     // language key of the item's text
    bool isDefault = false;
};

// Returns the chosen command, or 0 when the menu was cancelled.
int TrackPopupMenuAt(HWND owner, const std::vector<MenuEntry>& entries, POINT screenPoint);
int TrackPopupMenuAtCursor(HWND owner, const std::vector<MenuEntry>& entries);

}  // namespace ui
