#pragma once
// The scan job: loads the selection and the search settings afresh from the
// settings document, searches every selected path on a worker thread, and
// reports through a sink that the scanning page implements with synchronous
// messages to its controls.
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "scan/folder_search.h"

namespace scan {

class ScanSink {
public:
    virtual ~ScanSink() = default;
    // Bit 0 enables Next, bit 1 Back.
    virtual void EnableWizardButtons(int mask) = 0;
    virtual void SetStatus(const std::string& text) = 0;
    virtual void SetCountText(const std::string& text) = 0;
    virtual void EnableStop(bool enabled) = 0;
    // Replaces the report list's rows by the findings, in order.
    virtual void FillReport(const std::vector<FoundFile>& findings) = 0;
    virtual void ShowReportPage() = 0;
};

// At most one job runs at a time. Each job joins the thread of the job
// before it first, so the thread that starts a job (the UI thread) never
// waits for a job that may still be sending it a message.
class ScanJob {
public:
    ScanJob() = default;
    // Asks a running job to stop and waits for its thread: destroy the job
    // only when the sink's windows are gone, so that its last calls do not
    // wait for the destroying thread.
    ~ScanJob();
    ScanJob(const ScanJob&) = delete;
    ScanJob& operator=(const ScanJob&) = delete;

    // Starts a job on its own thread; does nothing (and returns false) while
    // one runs. The sink must outlive the job.
    bool Start(ScanSink& sink);
    // The Stop button: the walk ends at its next callback.
    void RequestStop() { stopRequested_ = 1; }
    bool Running() const { return running_; }
    // Waits until the last job's thread has ended, if there is one. Not from
    // a thread that the sink's calls wait for while a job runs.
    void Wait();
    // The findings of the last job, kept after it ends. Read it only while no
    // job runs.
    const std::vector<FoundFile>& Results() const { return results_; }

private:
    void Run(ScanSink& sink);
    void Finish(ScanSink& sink, bool completed);

    std::thread thread_;
    std::atomic<bool> running_{false};
    std::atomic<int> stopRequested_{0};
    // Set for good by the destructor: unlike a stop request, the job does
    // not clear it when it starts.
    std::atomic<bool> closing_{false};
    std::vector<FoundFile> results_;
};

}  // namespace scan
