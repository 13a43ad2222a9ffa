#pragma once
// The scan job: loads the selection and the search settings afresh from the
// settings document, searches every selected path, and reports through a
// sink that the scanning page implements with synchronous messages to its
// controls (the page runs it on a worker thread).
#include <string>
#include <vector>

#include "platform/job_control.h"
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
    // Replaces the report list's rows by the findings, in order. The report
    // may take them over: the scan has no use for them afterwards.
    virtual void FillReport(std::vector<FoundFile>& findings) = 0;
    virtual void ShowReportPage() = 0;
};

// The scan itself, on whatever thread runs it: clears a stop request left
// from before, disables the wizard's buttons, loads the selection and the
// search settings afresh, searches every selected drive path, fills the
// report and shows it, and ends with the status and the buttons enabled.
// The outcome is settled (control.Settle) before that last call. A stop
// request ends the search at its next entry; the report then shows what was
// found so far.
void RunScan(ScanSink& sink, platform::JobControl& control);

}  // namespace scan
