#include "ui/popup_menu.h"

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

int TrackPopupMenuAtCursor(HWND owner, const std::vector<MenuEntry>& entries) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    return TrackPopupMenuAt(owner, entries, cursor);
}

}  // namespace ui
