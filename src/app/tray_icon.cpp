#include "app/tray_icon.h"

#include <algorithm>
#include <cstring>

#include "platform/trace.h"

namespace app {

NOTIFYICONDATAA MakeTrayRecord(HWND owner, HICON icon, UINT callbackMessage, std::string_view tip) {
    NOTIFYICONDATAA record{};
    record.cbSize = kTrayRecordSize;
    record.hWnd = owner;
    record.uID = kTrayIconId;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = callbackMessage;
    record.hIcon = icon;
    size_t length = std::min(tip.size(), sizeof record.szTip - 1);
    std::memcpy(record.szTip, tip.data(), length);
    record.szTip[length] = '\0';
    return record;
}

bool TrayIcon::Add() {
    if (added_) return true;
    added_ = ::Shell_NotifyIconA(NIM_ADD, &record_) != FALSE;
    if (!added_) platform::Trace("tray icon", "the icon cannot be added");
    return added_;
}

void TrayIcon::Remove() {
    if (!added_) return;
    ::Shell_NotifyIconA(NIM_DELETE, &record_);
    added_ = false;
}

}  // namespace app
