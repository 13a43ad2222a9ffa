#pragma once
// The wizard's notification-area icon.
#include <windows.h>
#include <shellapi.h>

#include <string_view>

namespace app {

// The record's size: the layout with the 128-character tip and no GUID
// (NOTIFYICONDATAA_V2_SIZE), which every shell since Windows 2000 accepts.
inline constexpr DWORD kTrayRecordSize = NOTIFYICONDATAA_V2_SIZE;
inline constexpr UINT kTrayIconId = 128;

// The record for owner's icon: callback message, icon and tip (cut to 127
// characters, the tip field's size with its terminator).
NOTIFYICONDATAA MakeTrayRecord(HWND owner, HICON icon, UINT callbackMessage, std::string_view tip);

class TrayIcon {
public:
    TrayIcon() = default;
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    void SetRecord(const NOTIFYICONDATAA& record) { record_ = record; }
    const NOTIFYICONDATAA& Record() const { return record_; }
    bool Add();
    // Harmless when no icon was added.
    void Remove();
    bool Added() const { return added_; }

private:
    NOTIFYICONDATAA record_{};
    bool added_ = false;
};

}  // namespace app
