// The clipboard scope: it closes the clipboard on every way out, and never
// closes what another holder opened.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

#include "platform/clipboard.h"

namespace {

// A window of a thread of its own. (Opened for no window, the clipboard
// opens again for no window from any thread: a holder must name one.)
HWND MessageWindow() {
    return ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
}

// True when another thread can open the clipboard now, that is, when nobody
// holds it open.
bool OthersCanOpen() {
    bool opened = false;
    std::thread other([&] {
        HWND window = MessageWindow();
        opened = ::OpenClipboard(window) != FALSE;
        if (opened) ::CloseClipboard();
        ::DestroyWindow(window);
    });
    other.join();
    return opened;
}

void PutText(const char* text) {
    platform::ClipboardScope clipboard;
    ASSERT_TRUE(clipboard.Opened());
    ASSERT_TRUE(clipboard.Empty());
    size_t size = std::strlen(text) + 1;
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(::GlobalLock(memory), text, size);
    ::GlobalUnlock(memory);
    if (!::SetClipboardData(CF_TEXT, memory)) ::GlobalFree(memory);
}

TEST(ClipboardScope, ClosesTheClipboardOnEveryWayOut) {
    const struct Case {
        const char* name;
        bool empties;
        std::function<void(const platform::ClipboardScope&)> body;
    } cases[] = {
        {"to its end", true, [](const platform::ClipboardScope& c) { EXPECT_TRUE(c.Empty()); }},
        {"by a return", false, [](const platform::ClipboardScope&) { return; }},
        {"by an exception", true,
         [](const platform::ClipboardScope& c) {
             c.Empty();
             throw std::runtime_error("thrown");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PutText("kept");
        try {
            platform::ClipboardScope clipboard;
            ASSERT_TRUE(clipboard.Opened());
            EXPECT_FALSE(OthersCanOpen()) << "held while the scope lives";
            c.body(clipboard);
        } catch (const std::runtime_error&) {
        }
        EXPECT_TRUE(OthersCanOpen());
        EXPECT_EQ(::IsClipboardFormatAvailable(CF_TEXT) != FALSE, !c.empties);
    }
}

TEST(ClipboardScope, HeldByAnotherItIsEmptyAndLeavesTheHolderItsClipboard) {
    PutText("kept");
    std::atomic<int> stage{0};
    std::thread holder([&] {
        HWND window = MessageWindow();
        stage = ::OpenClipboard(window) ? 1 : -1;
        while (stage == 1) ::Sleep(1);
        ::CloseClipboard();
        ::DestroyWindow(window);
    });
    while (stage == 0) ::Sleep(1);
    ASSERT_EQ(stage, 1);
    {
        platform::ClipboardScope clipboard;
        EXPECT_FALSE(clipboard.Opened());
        EXPECT_FALSE(clipboard.Empty());
    }
    EXPECT_FALSE(OthersCanOpen()) << "the holder still has it open";
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_TEXT));
    stage = 2;
    holder.join();
    EXPECT_TRUE(OthersCanOpen());
}

}  // namespace
