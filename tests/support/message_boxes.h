#pragma once
// Message boxes in tests: their text, and an answerer that clicks them away
// as a user would while the code under test waits in the box's modal loop.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

// The message of a message box (its static 0xFFFF). Read with a time-out, so
// a box of another process cannot stall the test.
std::string MessageBoxText(HWND box);

// Answers, from a thread of its own, every visible message box owned by
// owner, or without an owner every message box of the constructing thread,
// and records the boxes' texts. The answer is a button id; a box without
// that button is answered with OK.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(HWND owner = nullptr, int answer = IDOK);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    void SetAnswer(int answer) { answer_ = answer; }
    // The texts of the boxes answered so far, in order.
    std::vector<std::string> Texts() const;

private:
    void Watch();
    HWND FindBox() const;

    const HWND owner_;
    const DWORD thread_;
    std::atomic<int> answer_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> texts_;
    std::thread watcher_;
};

}  // namespace testsupport
