#include "ui/popup_menu.h"

#include <commctrl.h>

#include <string>

#include "text/language_table.h"
#include "ui/gdi.h"

namespace ui {

int TrackPopupMenuAt(HWND owner, const std::vector<MenuEntry>& entries, POINT screenPoint) {
    Menu menu(::CreatePopupMenu());
    if (!menu) return 0;
    for (const MenuEntry& entry : entries) {
        if (entry.command == 0) {
            ::AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::string label = text::LookupText(entry.key);
        ::AppendMenuA(menu.Get(), MF_STRING, static_cast<UINT_PTR>(entry.command), label.c_str());
        if (entry.isDefault) ::SetMenuDefaultItem(menu.Get(), static_cast<UINT>(entry.command), FALSE);
    }
    // A pop-up menu only closes properly when its owner is the foreground window.
    ::SetForegroundWindow(owner);
    return static_cast<int>(::TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                             screenPoint.x, screenPoint.y, 0, owner, nullptr));
}

POINT CursorPoint() {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    return cursor;
}

int TrackPopupMenuAtCursor(HWND owner, const std::vector<MenuEntry>& entries) {
    return TrackPopupMenuAt(owner, entries, CursorPoint());
}

bool IsKeyboardMenuRequest(HWND list, WPARAM wParam, LPARAM lParam) {
    return list && reinterpret_cast<HWND>(wParam) == list && lParam == -1;
}

POINT KeyboardMenuPoint(HWND list) {
    POINT point{0, 0};
    int row = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    if (row < 0) row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    RECT label{};
    RECT client{};
    ::GetClientRect(list, &client);
    if (row >= 0 && ListView_GetItemRect(list, row, &label, LVIR_LABEL) && label.bottom > client.top &&
        label.top < client.bottom) {
        point = {label.left, label.bottom};
    }
    ::ClientToScreen(list, &point);
    return point;
}

}  // namespace ui
