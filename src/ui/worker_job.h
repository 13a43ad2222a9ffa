#pragma once
// One piece of work at a time on a thread of its own.
//
// The runner owns the thread, the stop request and the exception fence. The
// work never waits for its owner (it reports by posting, and hands back its
// result when it returns), so shutting down is: ask the work to stop, join.
#include <functional>
#include <thread>

#include "platform/job_control.h"

namespace ui {

class WorkerJob {
public:
    using Work = std::function<void(const platform::StopFlag& stop)>;

    WorkerJob() = default;
    // Shuts down.
    ~WorkerJob();
    WorkerJob(const WorkerJob&) = delete;
    WorkerJob& operator=(const WorkerJob&) = delete;

    // Runs work on a new thread, with a stop request left from an earlier
    // work cleared. False, and nothing runs, while the last work has not
    // been joined, or when no thread can be made. returned, when given, is
    // called on the worker thread once the work has returned: for posting
    // the owner a note that it may join.
    bool Start(Work work, std::function<void()> returned = {});
    void RequestStop() { stop_ = 1; }

    // From Start until Join: the owner has not yet taken what the work left.
    bool Busy() const { return thread_.joinable(); }
    // Waits for the work to return and ends its thread.
    void Join();

    // Asks the work to stop for good and joins it. A later Start still runs
    // its work, with the stop already requested, so that it ends at once.
    void ShutDown();

private:
    platform::StopFlag stop_{0};
    bool closing_ = false;
    std::thread thread_;
};

}  // namespace ui
