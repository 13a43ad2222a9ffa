#pragma once
// One piece of work at a time on a thread of its own, for windows that the
// work reports to by synchronous messages.
//
// The runner owns the thread, the stop request, the exception fence and the
// order of shutting down: ask the work to stop, carry out the messages it
// still sends, then join. The user-interface thread therefore never blocks on
// a worker that waits for it.
#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

#include "platform/handle.h"
#include "platform/job_control.h"

namespace ui {

class WorkerJob {
public:
    using Work = std::function<void(platform::JobControl&)>;

    WorkerJob();
    // Shuts down: from the thread whose windows the work talks to.
    ~WorkerJob();
    WorkerJob(const WorkerJob&) = delete;
    WorkerJob& operator=(const WorkerJob&) = delete;

    // Runs work on a new thread. False, and nothing runs, while the last
    // work has not returned, or when no thread can be made. ended, when
    // given, is called on the worker thread once the work has returned
    // (after its last message, with Busy false): for posting the owner a note.
    bool Start(Work work, std::function<void()> ended = {});
    void RequestStop() { control_.RequestStop(); }

    // From Start until the work settles its outcome.
    bool Running() const { return !control_.Settled(); }
    // From Start until the work has returned: it may still send messages.
    bool Busy() const { return busy_; }

    // Asks the work to stop for good, carries out the messages it sends
    // meanwhile, and joins its thread. Afterwards Start refuses nothing: a
    // later start runs (with the stop request still set, so it ends at once).
    void ShutDown();

private:
    void Join();

    platform::JobControl control_;
    std::atomic<bool> busy_{false};
    platform::UniqueHandle returned_;  // set when the work has returned
    std::thread thread_;
};

}  // namespace ui
