#include "ui/worker_job.h"

#include "platform/trace.h"

namespace ui {

namespace {

// Waits until the event is set, carrying out the messages other threads send
// to this one meanwhile; posted messages stay queued for the message loop.
void WaitServingSentMessages(HANDLE event) {
    for (;;) {
        DWORD woken = ::MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_SENDMESSAGE);
        if (woken != WAIT_OBJECT_0 + 1) return;  // the event, or a failed wait
        MSG message;
        ::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace

WorkerJob::WorkerJob() : returned_(::CreateEventA(nullptr, TRUE, TRUE, nullptr)) {}

WorkerJob::~WorkerJob() { ShutDown(); }

bool WorkerJob::Start(Work work, std::function<void()> ended) {
    if (busy_ || !returned_) return false;
    Join();  // the last work has returned: its thread has nothing left to send
    control_.Begin();
    busy_ = true;
    ::ResetEvent(returned_.Get());
    try {
        thread_ = std::thread([this, work = std::move(work), ended = std::move(ended)] {
            try {
                work(control_);
            } catch (...) {
                platform::TraceException("worker job");
            }
            control_.Settle();
            busy_ = false;
            ::SetEvent(returned_.Get());
            if (!ended) return;
            try {
                ended();
            } catch (...) {
                platform::TraceException("worker job end");
            }
        });
    } catch (...) {
        platform::TraceException("worker job start");
        control_.Settle();
        busy_ = false;
        ::SetEvent(returned_.Get());
        return false;
    }
    return true;
}

void WorkerJob::ShutDown() {
    control_.RequestClose();
    if (returned_) WaitServingSentMessages(returned_.Get());
    Join();
}

void WorkerJob::Join() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace ui
