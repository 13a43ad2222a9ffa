#pragma once
// What a piece of work running on a worker thread sees of whoever runs it:
// the request to stop, and the moment its outcome is settled.
#include <atomic>

namespace platform {

class JobControl {
public:
    // A Stop button or the owner going away. Read before every file, folder
    // entry or step.
    bool StopRequested() const { return stop_.load() != 0; }
    // The flag itself, for code that takes a plain stop flag.
    const std::atomic<int>& StopFlag() const { return stop_; }

    // The work clears a stop request left from before it began; a request to
    // stop because the owner goes away is never cleared.
    void ClearStop() {
        stop_ = 0;
        if (closing_) stop_ = 1;
    }

    // The work's outcome is known and only its last reports remain: from now
    // on the owner may close (the reports still reach it or are dropped).
    void Settle() { settled_ = true; }
    bool Settled() const { return settled_; }

    // For the runner.
    void RequestStop() { stop_ = 1; }
    void RequestClose() {
        closing_ = true;
        stop_ = 1;
    }
    void Begin() { settled_ = false; }

private:
    std::atomic<int> stop_{0};
    std::atomic<bool> closing_{false};
    std::atomic<bool> settled_{true};
};

}  // namespace platform
