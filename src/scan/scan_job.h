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

class ScanJob {
public:
    ScanJob() = default;
    ~ScanJob();
    ScanJob(const ScanJob&) = delete;
    ScanJob& operator=(const ScanJob&) = delete;

    // Starts a job on its own thread; does nothing (and returns false) while
    // one runs. The sink must outlive the job.
    bool Start(ScanSink& sink);
    // The Stop button: the walk ends at its next callback.
    void RequestStop() { stopRequested_ = 1; }
    bool Running() const { return running_; }
    // The findings of the last job, kept after it ends. Read it only while no
    // job runs.
    const std::vector<FoundFile>& Results() const { return results_; }

private:
    void Run(ScanSink& sink);

    std::thread thread_;
    std::atomic<bool> running_{false};
    std::atomic<int> stopRequested_{0};
    std::vector<FoundFile> results_;
};

}  // namespace scan
