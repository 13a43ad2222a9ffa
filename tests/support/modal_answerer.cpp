#include "support/modal_answerer.h"

#include <algorithm>

#include "platform/window_text.h"
#include "text/language_table.h"

namespace testsupport {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kPoll = std::chrono::milliseconds(10);
// How long a dialog nobody expected stays before it is closed.
constexpr auto kPatience = std::chrono::seconds(8);
constexpr int kMessageText = 0xFFFF;
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

std::string WaitForWindowText(HWND window, std::chrono::milliseconds timeout) {
    const auto until = Clock::now() + timeout;
    do {
        char text[4096] = {};
        DWORD_PTR copied = 0;
        if (::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 1000,
                                  &copied) &&
            text[0] != '\0') {
            return text;
        }
        std::this_thread::sleep_for(kPoll);
    } while (::IsWindow(window) && Clock::now() < until);
    return {};
}

ModalAnswerer::ModalAnswerer(HWND owner, int messageAnswer)
    : owner_(owner),
      uiThread_(::GetCurrentThreadId()),
      messageCaption_(text::LookupText("_AppName")),
      messageAnswer_(messageAnswer),
      watcher_([this] { Watch(); }) {}

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
    const auto until = Clock::now() + timeout;
    while (Clock::now() < until) {
        if (Messages().size() >= count) return true;
        std::this_thread::sleep_for(kPoll);
    }
    return false;
}

std::vector<HWND> ModalAnswerer::Windows() const {
    std::vector<HWND> windows;
    if (owner_) {
        ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
        std::erase_if(windows, [this](HWND w) { return ::GetWindow(w, GW_OWNER) != owner_; });
    } else {
        ::EnumThreadWindows(uiThread_, CollectWindow, reinterpret_cast<LPARAM>(&windows));
    }
    return windows;
}

void ModalAnswerer::Watch() {
    while (!stop_) {
        for (HWND window : Windows()) Look(window);
        {
            std::lock_guard lock(mutex_);
            std::erase_if(handled_, [](HWND w) { return !::IsWindow(w); });
        }
        std::this_thread::sleep_for(kPoll);
    }
}

void ModalAnswerer::AnswerMenu(HWND window) {
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
}

void ModalAnswerer::AnswerMessageBox(HWND window) {
    // Read before taking the lock: reading sends to the box's thread.
    std::string message = MessageBoxText(window);
    int answer = messageAnswer_;
    int id = ::GetDlgItem(window, answer) ? answer : IDOK;
    std::lock_guard lock(mutex_);
    messages_.push_back(std::move(message));
    handled_.insert(window);
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(window, id)));
}

void ModalAnswerer::Look(HWND window) {
    if (!::IsWindowVisible(window)) return;
    {
        std::lock_guard lock(mutex_);
        if (handled_.count(window)) return;
    }
    // Read the window before taking the lock: reading it sends messages to
    // the test thread, which may be waiting for the lock.
    const std::string windowClass = ClassOf(window);
    if (windowClass == "#32768") {
        AnswerMenu(window);
        return;
    }
    if (windowClass != "#32770") return;  // the test's own windows
    const std::string caption = platform::WindowText(window);
    {
        std::lock_guard lock(mutex_);
        if (!expected_.empty() && expected_.front().caption == caption) {
            Answer answer = std::move(expected_.front().answer);
            expected_.pop_front();
            handled_.insert(window);
            answering_.emplace_back([answer = std::move(answer), window] { answer(window); });
            return;
        }
    }
    if (caption == messageCaption_ && ::GetDlgItem(window, kMessageText)) {
        AnswerMessageBox(window);
        return;
    }
    // Someone else's dialog: give the test time to expect it, then close it.
    std::lock_guard lock(mutex_);
    auto now = Clock::now();
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

}  // namespace testsupport
