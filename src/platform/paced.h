#pragma once
// Updates at a human pace. A worker that reports every file to a window
// spends most of its time in the reports: a cross-thread message costs far
// more than deleting a file. A Paced value passes the first update on at
// once and then at most one per interval, always the latest; Flush passes on
// the one held back, so that what the window ends with is exact.
#include <windows.h>

#include <utility>

namespace platform {

inline constexpr ULONGLONG kHumanPaceMs = 50;

template <typename Value, typename Send>
class Paced {
public:
    explicit Paced(Send send, ULONGLONG intervalMs = kHumanPaceMs) : send_(std::move(send)), interval_(intervalMs) {}

    void Set(Value value) {
        held_ = std::move(value);
        holding_ = true;
        const ULONGLONG now = ::GetTickCount64();
        if (fresh_ || now - sentAt_ >= interval_) Pass(now);
    }

    // Passes on the value held back, if any.
    void Flush() {
        if (holding_) Pass(::GetTickCount64());
    }

    // Forgets the value held back, and lets the next one through at once
    // (a new phase starts with its first value shown).
    void Restart() {
        holding_ = false;
        fresh_ = true;
    }

private:
    void Pass(ULONGLONG now) {
        holding_ = false;
        fresh_ = false;
        sentAt_ = now;
        send_(held_);
    }

    Send send_;
    ULONGLONG interval_;
    Value held_{};
    bool holding_ = false;
    bool fresh_ = true;
    ULONGLONG sentAt_ = 0;
};

template <typename Value, typename Send>
Paced<Value, Send> MakePaced(Send send, ULONGLONG intervalMs = kHumanPaceMs) {
    return Paced<Value, Send>(std::move(send), intervalMs);
}

}  // namespace platform
