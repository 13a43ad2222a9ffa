#pragma once
// Answers the modal windows that a thread of the test opens (message boxes,
// dialogs, pop-up menus) from a thread of its own, as a user would, and
// records what it saw. Everything it records it has read whole: it waits for
// a window's text rather than taking what a busy machine shows first. A
// dialog nobody expected is closed after a while, so that a faulty dialog
// cannot hang the test run.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <ostream>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

// The text of a window once it has one: a busy window may be slow to answer,
// or shown a moment before its text is set. Empty when none shows within
// the time-out or the window goes. Works for windows of other processes too.
std::string WaitForWindowText(HWND window, std::chrono::milliseconds timeout = std::chrono::seconds(30));

// The message of a message box (its static 0xFFFF), once it shows one.
inline std::string MessageBoxText(HWND box) { return WaitForWindowText(::GetDlgItem(box, 0xFFFF)); }

struct MenuItem {
    int command;  // 0 for a separator
    std::string text;
    bool operator==(const MenuItem&) const = default;
};

inline void PrintTo(const MenuItem& item, std::ostream* os) {
    *os << (item.command == 0 ? std::string("separator") : std::to_string(item.command) + " " + item.text);
}

class ModalAnswerer {
public:
    using Answer = std::function<void(HWND window)>;

    // Watches the top-level windows of the calling thread, or, given an
    // owner, the windows that owner owns. Message boxes (captioned with the
    // application's name) are recorded and answered with messageAnswer, or
    // with OK when they have no such button.
    explicit ModalAnswerer(HWND owner = nullptr, int messageAnswer = IDOK);
    ~ModalAnswerer();
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

    void SetMessageAnswer(int button) { messageAnswer_ = button; }
    // Hands the next window captioned `caption` to `answer`, which runs on a
    // thread of its own and may block on the window.
    void Expect(std::string caption, Answer answer);
    // The next pop-up menu: its items are recorded, then `command` is chosen
    // with the keyboard (0 closes the menu).
    void ExpectMenu(int command = 0);

    // The texts of the message boxes answered so far, in order.
    std::vector<std::string> Messages() const;
    std::vector<std::vector<MenuItem>> Menus() const;
    // Dialogs and menus nobody expected, by caption (or class), which were closed.
    std::vector<std::string> Unexpected() const;
    // Expectations still waiting for their window.
    size_t Pending() const;
    // Waits until at least `count` message boxes were seen.
    bool WaitForMessages(size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(30)) const;

private:
    void Watch();
    std::vector<HWND> Windows() const;
    void Look(HWND window);
    void AnswerMenu(HWND window);
    void AnswerMessageBox(HWND window);

    struct Expectation {
        std::string caption;
        Answer answer;
    };

    const HWND owner_;
    const DWORD uiThread_;
    const std::string messageCaption_;
    std::atomic<int> messageAnswer_;
    mutable std::mutex mutex_;
    std::deque<Expectation> expected_;
    std::deque<int> menuChoices_;
    std::set<HWND> handled_;
    std::vector<std::pair<HWND, std::chrono::steady_clock::time_point>> firstSeen_;
    std::vector<std::string> messages_;
    std::vector<std::vector<MenuItem>> menus_;
    std::vector<std::string> unexpected_;
    std::vector<std::thread> answering_;
    std::atomic<bool> stop_{false};
    std::thread watcher_;
};

}  // namespace testsupport
