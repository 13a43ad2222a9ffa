#include "modal_answerer.h"

#include <commctrl.h>

#include <algorithm>

#include "options_bed.h"
#include "support/message_boxes.h"
#include "text/language_table.h"

namespace optest {

namespace {

constexpr auto kPoll = std::chrono::milliseconds(10);
constexpr auto kPatience = std::chrono::seconds(8);
constexpr UINT kGetMenuHandle = 0x01E1;  // MN_GETHMENU

std::string ClassOf(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

std::vector<MenuItem> ItemsOf(HMENU menu) {
    std::vector<MenuItem> items;
    for (int i = 0, n = ::GetMenuItemCount(menu); i < n; ++i) {
        char text[256] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text - 1;
        ::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            items.push_back({0, ""});
        } else {
            items.push_back({static_cast<int>(info.wID), text});
        }
    }
    return items;
}

// Chooses an item with the keyboard: one step down per item up to it, then Enter.
void ChooseWithKeys(HWND menuWindow, const std::vector<MenuItem>& items, int command) {
    if (command == 0) {
        ::PostMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
        return;
    }
    int steps = 0;
    for (const MenuItem& item : items) {
        if (item.command == 0) continue;
        ++steps;
        if (item.command == command) break;
    }
    for (int i = 0; i < steps; ++i) ::PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(menuWindow, WM_CHAR, '\r', 0);
}

}  // namespace

ModalAnswerer::ModalAnswerer()
    : uiThread_(::GetCurrentThreadId()), messageCaption_(text::LookupText("_AppName")), watcher_([this] { Watch(); }) {}

ModalAnswerer::~ModalAnswerer() {
    stop_ = true;
    watcher_.join();
    for (std::thread& t : answering_) t.join();
}

void ModalAnswerer::Expect(std::string caption, Answer answer) {
    std::lock_guard lock(mutex_);
    expected_.push_back({std::move(caption), std::move(answer)});
}

void ModalAnswerer::ExpectMenu(int command) {
    std::lock_guard lock(mutex_);
    menuChoices_.push_back(command);
}

std::vector<std::string> ModalAnswerer::Messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

std::vector<std::vector<MenuItem>> ModalAnswerer::Menus() const {
    std::lock_guard lock(mutex_);
    return menus_;
}

std::vector<std::string> ModalAnswerer::Unexpected() const {
    std::lock_guard lock(mutex_);
    return unexpected_;
}

size_t ModalAnswerer::Pending() const {
    std::lock_guard lock(mutex_);
    return expected_.size() + menuChoices_.size();
}

bool ModalAnswerer::WaitForMessages(size_t count, std::chrono::milliseconds timeout) const {
    auto until = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < until) {
        if (Messages().size() >= count) return true;
        std::this_thread::sleep_for(kPoll);
    }
    return false;
}

void ModalAnswerer::Watch() {
    while (!stop_) {
        std::vector<HWND> windows;
        ::EnumThreadWindows(uiThread_, CollectWindow, reinterpret_cast<LPARAM>(&windows));
        for (HWND window : windows) Look(window);
        {
            std::lock_guard lock(mutex_);
            std::erase_if(handled_, [](HWND w) { return !::IsWindow(w); });
        }
        std::this_thread::sleep_for(kPoll);
    }
}

void ModalAnswerer::Look(HWND window) {
    if (!::IsWindowVisible(window)) return;
    {
        std::lock_guard lock(mutex_);
        if (handled_.count(window)) return;
    }
    // Read the window before taking the lock: reading it sends messages to
    // the test thread, which may be waiting for the lock.
    std::string windowClass = ClassOf(window);
    if (windowClass == "#32768") {
        auto menu = reinterpret_cast<HMENU>(::SendMessageA(window, kGetMenuHandle, 0, 0));
        if (!menu) return;
        std::vector<MenuItem> items = ItemsOf(menu);
        std::lock_guard lock(mutex_);
        int command = 0;
        if (!menuChoices_.empty()) {
            command = menuChoices_.front();
            menuChoices_.pop_front();
        } else {
            unexpected_.push_back("menu");
        }
        menus_.push_back(items);
        handled_.insert(window);
        ChooseWithKeys(window, items, command);
        return;
    }
    std::string caption = platform::WindowText(window);
    bool isMessageBox = caption == messageCaption_ && windowClass == "#32770";
    std::string message = isMessageBox ? testsupport::MessageBoxText(window) : std::string();

    std::lock_guard lock(mutex_);
    if (!expected_.empty() && expected_.front().caption == caption) {
        Answer answer = std::move(expected_.front().answer);
        expected_.pop_front();
        handled_.insert(window);
        answering_.emplace_back([answer = std::move(answer), window] { answer(window); });
        return;
    }
    if (isMessageBox) {
        messages_.push_back(message);
        handled_.insert(window);
        ::PostMessageA(window, WM_COMMAND, IDOK, 0);
        return;
    }
    // Someone else's window: give the test time to expect it, then close it.
    auto now = std::chrono::steady_clock::now();
    auto seen =
        std::find_if(firstSeen_.begin(), firstSeen_.end(), [window](const auto& s) { return s.first == window; });
    if (seen == firstSeen_.end()) {
        firstSeen_.push_back({window, now});
    } else if (now - seen->second > kPatience) {
        unexpected_.push_back(caption.empty() ? windowClass : caption);
        handled_.insert(window);
        ::PostMessageA(window, WM_CLOSE, 0, 0);
    }
}

}  // namespace optest
