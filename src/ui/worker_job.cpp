#include "ui/worker_job.h"

#include "platform/trace.h"

namespace ui {

WorkerJob::~WorkerJob() { ShutDown(); }

bool WorkerJob::Start(Work work, std::function<void()> returned) {
    if (Busy()) return false;
    stop_ = closing_ ? 1 : 0;
    try {
        thread_ = std::thread([this, work = std::move(work), returned = std::move(returned)] {
            try {
                work(stop_);
            } catch (...) {
                platform::TraceException("worker job");
            }
            if (!returned) return;
            try {
                returned();
            } catch (...) {
                platform::TraceException("worker job end");
            }
        });
    } catch (...) {
        platform::TraceException("worker job start");
        return false;
    }
    return true;
}

void WorkerJob::Join() {
    if (thread_.joinable()) thread_.join();
}

void WorkerJob::ShutDown() {
    closing_ = true;
    stop_ = 1;
    Join();
}

}  // namespace ui
