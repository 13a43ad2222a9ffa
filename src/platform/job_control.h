#pragma once
// What a piece of work running on a worker thread sees of whoever runs it:
// the request to stop, and the progress it reports. The work takes its
// request when it starts and hands back its result when it returns; in
// between it never waits for its owner.
#include <atomic>
#include <cstdint>
#include <string>

namespace platform {

// Set by the owner (a Stop button, the owner going away); read by the work
// before every file, folder entry or step. Non-zero asks the work to stop.
using StopFlag = std::atomic<int>;

inline bool StopRequested(const StopFlag& stop) { return stop.load() != 0; }

// Where a work reports how far it is. The owner shows the reports when it
// can; the work goes on at once.
class JobProgress {
public:
    virtual ~JobProgress() = default;
    virtual void SetStatus(const std::string& text) = 0;
    // How many things the work has found so far.
    virtual void SetCount(uint64_t count) = 0;
    // How many steps the work has (32-bit, so that large lists show true),
    // and the step it is at.
    virtual void SetRange(uint32_t steps) = 0;
    virtual void SetPosition(int position) = 0;
};

}  // namespace platform
