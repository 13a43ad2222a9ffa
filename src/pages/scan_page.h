#pragma once
// Wizard page 2: runs the scan job and shows its progress. The job's calls
// reach the page's controls by synchronous messages, which the
// user-interface thread carries out while the job waits.
#include "pages/job_page.h"
#include "scan/scan_job.h"

namespace pages {

class ScanPage : public JobPage<scan::ScanSink> {
public:
    explicit ScanPage(RunMode mode = RunMode::Interactive);

protected:
    bool OnInit() override;

private:
    ui::SkinnedLabel countLabel_;
};

}  // namespace pages
