#pragma once
// Wizard page 2: runs the scan job and shows its progress; the findings go
// into the session and the report shows them.
#include <functional>
#include <optional>

#include "pages/job_page.h"
#include "scan/scan_job.h"

namespace pages {

class ScanPage : public JobPage {
public:
    // The scan a page runs: scan::RunScan, or a stand-in.
    using ScanJob = std::function<scan::ScanResult(const scan::ScanRequest& request, platform::JobProgress& progress,
                                                   const platform::StopFlag& stop)>;

    explicit ScanPage(Session& session, RunMode mode = RunMode::Interactive, ScanJob scan = scan::RunScan);

protected:
    bool OnInit() override;
    ui::WorkerJob::Work MakeJob(platform::JobProgress& progress) override;
    void OnJobStarting() override;
    void ShowReports(const ProgressRelay::Reports& reports) override;
    void TakeResult() override;

private:
    ScanJob scan_;
    std::optional<scan::ScanResult> result_;  // written by the job, taken once it has returned
    ui::SkinnedLabel countLabel_;
};

}  // namespace pages
