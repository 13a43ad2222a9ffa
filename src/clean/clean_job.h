#pragma once
// The clean job: builds the clean list from the ticked report rows, runs the
// file phases the settings switch on, then the switched-on trace cleaners.
// It reports through a sink that the cleaning page implements with
// synchronous messages to its controls (the page runs it on a worker
// thread).
#include <cstdint>
#include <string>
#include <vector>

#include "clean/clean_engine.h"
#include "clean/clean_result.h"
#include "platform/job_control.h"
#include "platform/paced.h"

namespace clean {

class CleanSink : public CleanProgress {
public:
    // Bit 0 enables Next, bit 1 Back.
    virtual void EnableWizardButtons(int mask) = 0;
    virtual void EnableStop(bool enabled) = 0;
    // The files of the report rows that are not unticked, in row order.
    virtual CleanList CollectTickedFiles() = 0;
    // The progress bar's range, 0 to count (32-bit, so large lists show true).
    virtual void SetRange(uint32_t count) = 0;
    virtual uint32_t RangeUpper() = 0;
    // What the clean did, once it is over and its log is written; called
    // right before the finish page is shown. The receiver may take the
    // result over: the job has no more use for it.
    virtual void ReportResult(CleanResult& result) = 0;
    virtual void ShowFinishPage() = 0;
};

// A real clean, or a preview: the same list and settings, but no file is
// touched and no trace cleaner runs; only the log says what would be done.
enum class CleanKind { Real, Preview };

// The clean itself, on whatever thread runs it: disables the wizard's
// buttons, collects the ticked files, runs the file phases and then the
// trace cleaners, each after a fresh read of its switch, writes the clean's
// log (clean_log.h), and ends with the full progress bar, the status, the
// result, the buttons enabled and the finish page. The outcome is settled
// (control.Settle) before the last two. A stop request ends the running
// phase before its next file and skips what has not begun. The window hears
// of progress at most every paceMs (0: of every file), and always of the
// last position of every phase.
void RunClean(CleanSink& sink, platform::JobControl& control, uint64_t paceMs = platform::kHumanPaceMs,
              CleanKind kind = CleanKind::Real);

}  // namespace clean
