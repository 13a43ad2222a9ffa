#pragma once
// The clipboard, open for as long as the scope lives. The clipboard is one
// for the whole session: a scope that left it open would lock every other
// program out of it, so it is closed on every way out of the scope.
#include <windows.h>

namespace platform {

class ClipboardScope {
public:
    // Opens the clipboard for owner (null: for the calling thread's task).
    // Another program holding it open makes the scope an empty one.
    explicit ClipboardScope(HWND owner = nullptr) : opened_(::OpenClipboard(owner) != FALSE) {}
    ~ClipboardScope() {
        if (opened_) ::CloseClipboard();
    }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;

    bool Opened() const { return opened_; }
    // Removes everything the clipboard holds; false when it is not open.
    bool Empty() const { return opened_ && ::EmptyClipboard() != FALSE; }

private:
    bool opened_;
};

}  // namespace platform
