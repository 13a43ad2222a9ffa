#pragma once
// Carries a job's progress from its worker thread to the page that shows
// it, without the job ever waiting: each report is kept (only the latest of
// each kind counts) and the first one after the page took the last ones
// posts the page one message, upon which the page takes them all.
#include <windows.h>

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "platform/job_control.h"

namespace pages {

class ProgressRelay : public platform::JobProgress {
public:
    // What was reported since the page last took the reports.
    struct Reports {
        std::optional<std::string> status;
        std::optional<uint64_t> count;
        std::optional<uint32_t> range;
        std::optional<int> position;
    };

    // Posts message to page when reports wait.
    ProgressRelay(HWND page, UINT message) : page_(page), message_(message) {}

    void SetStatus(const std::string& text) override;
    void SetCount(uint64_t count) override;
    void SetRange(uint32_t steps) override;
    void SetPosition(int position) override;

    // The reports waiting, which are forgotten here (user-interface thread).
    Reports Take();

private:
    // Keeps the latest report of a kind, and tells the page it waits.
    template <typename Value>
    void Keep(std::optional<Value>& slot, Value value) {
        std::lock_guard<std::mutex> lock(mutex_);
        slot = std::move(value);
        Announce();
    }
    // Called with the lock held.
    void Announce();

    const HWND page_;
    const UINT message_;
    std::mutex mutex_;
    Reports waiting_;
    bool announced_ = false;
};

}  // namespace pages
