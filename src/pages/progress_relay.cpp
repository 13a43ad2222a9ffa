#include "pages/progress_relay.h"

namespace pages {

void ProgressRelay::Announce() {
    if (announced_) return;
    // A page already gone cannot be told; its job is being stopped anyway.
    announced_ = ::PostMessageA(page_, message_, 0, 0) != 0;
}

void ProgressRelay::SetStatus(const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    waiting_.status = text;
    Announce();
}

void ProgressRelay::SetCount(uint64_t count) {
    std::lock_guard<std::mutex> lock(mutex_);
    waiting_.count = count;
    Announce();
}

void ProgressRelay::SetRange(uint32_t steps) {
    std::lock_guard<std::mutex> lock(mutex_);
    waiting_.range = steps;
    Announce();
}

void ProgressRelay::SetPosition(int position) {
    std::lock_guard<std::mutex> lock(mutex_);
    waiting_.position = position;
    Announce();
}

ProgressRelay::Reports ProgressRelay::Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    Reports taken = std::move(waiting_);
    waiting_ = {};
    announced_ = false;
    return taken;
}

}  // namespace pages
