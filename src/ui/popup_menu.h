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
POINT CursorPoint();

// True for the WM_CONTEXTMENU a list sends when the keyboard asks for its
// menu (Shift+F10 or the menu key); a right click is answered through
// NM_RCLICK instead.
bool IsKeyboardMenuRequest(HWND list, WPARAM wParam, LPARAM lParam);

// Where a keyboard-requested menu of a list opens: below the focused row's
// label, or at the list's top-left corner when no row is in view.
POINT KeyboardMenuPoint(HWND list);

}  // namespace ui
