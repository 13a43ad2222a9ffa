#pragma once
// The clean job: builds the clean list from the ticked report rows, runs the
// file phases the settings switch on, then the switched-on trace cleaners, on
// a worker thread. It reports through a sink that the cleaning page
// implements with synchronous messages to its controls.
#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "clean/clean_engine.h"

namespace clean {

class PacedProgress;

class CleanSink : public CleanProgress {
public:
    // Bit 0 enables Next, bit 1 Back.
    virtual void EnableWizardButtons(int mask) = 0;
    virtual void EnableStop(bool enabled) = 0;
    // The paths of the report rows that are not unticked, in row order.
    virtual CleanList CollectTickedFiles() = 0;
    // The progress bar's range, 0 to count (32-bit, so large lists show true).
    virtual void SetRange(uint32_t count) = 0;
    virtual uint32_t RangeUpper() = 0;
    virtual void ShowFinishPage() = 0;
};

class CleanJob {
public:
    // The window hears of progress at most every paceMs (0: of every file).
    explicit CleanJob(uint64_t paceMs = 50) : paceMs_(paceMs) {}
    // Waits for the thread. Destroy the job only after the windows its sink
    // talks to are gone (or never while the thread may still send to them).
    ~CleanJob();
    CleanJob(const CleanJob&) = delete;
    CleanJob& operator=(const CleanJob&) = delete;

    // Starts a job on its own thread; does nothing (and returns false) while
    // one runs, and while the previous one is still handing over to the
    // finish page. The sink must outlive the job.
    bool Start(CleanSink& sink);
    void RequestStop() { stopRequested_ = 1; }
    // True from Start until the job has set its final status; it turns false
    // before the job re-enables the wizard buttons and shows the finish page,
    // so that those pages may close the wizard.
    bool Running() const { return running_; }

private:
    void Run(CleanSink& sink);
    bool RunFilePhases(const CleanList& list, PacedProgress& sink);
    bool RunTraceCleaners(PacedProgress& sink);

    std::thread thread_;
    std::atomic<bool> running_{false};
    // Set by the thread after its last call into the sink; only then can the
    // thread be joined without waiting on the sink's (user-interface) thread.
    std::atomic<bool> finished_{true};
    std::atomic<int> stopRequested_{0};
    const uint64_t paceMs_;
};

}  // namespace clean
