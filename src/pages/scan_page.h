#pragma once
// Wizard page 2: runs the scan job and shows its progress. The page is the
// job's sink: every call reaches the controls by a synchronous message, so
// the user-interface thread carries it out while the job waits.
#include "pages/job_page.h"
#include "scan/scan_job.h"

namespace pages {

class ScanPage : public JobPage<scan::ScanJob, scan::ScanSink> {
public:
    explicit ScanPage(RunMode mode = RunMode::Interactive);
    ~ScanPage() override;

protected:
    bool OnInit() override;

public:
    // scan::ScanSink, called on the job's thread (the rest in JobPage).
    void EnableWizardButtons(int mask) override;
    void SetCountText(const std::string& text) override;
    void FillReport(const std::vector<scan::FoundFile>& findings) override;
    void ShowReportPage() override;

private:
    HWND count_ = nullptr;
    ui::SkinnedLabel countLabel_;
};

}  // namespace pages
