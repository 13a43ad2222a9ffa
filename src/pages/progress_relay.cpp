#include "pages/progress_relay.h"

namespace pages {

void ProgressRelay::Announce() {
    if (announced_) return;
    // A page already gone cannot be told; its job is being stopped anyway.
    announced_ = ::PostMessageA(page_, message_, 0, 0) != 0;
}

void ProgressRelay::SetStatus(const std::string& text) { Keep(waiting_.status, text); }
void ProgressRelay::SetCount(uint64_t count) { Keep(waiting_.count, count); }
void ProgressRelay::SetRange(uint32_t steps) { Keep(waiting_.range, steps); }
void ProgressRelay::SetPosition(int position) { Keep(waiting_.position, position); }

ProgressRelay::Reports ProgressRelay::Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    Reports taken = std::move(waiting_);
    waiting_ = {};
    announced_ = false;
    return taken;
}

}  // namespace pages
