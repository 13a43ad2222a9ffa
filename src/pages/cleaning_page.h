#pragma once
// Wizard page 5: runs the clean job over the ticked findings of the
// session and shows its status and progress; what the clean did goes into
// the session and the finish page shows it.
#include <functional>
#include <optional>

#include "clean/clean_job.h"
#include "pages/job_page.h"

namespace pages {

class CleaningPage : public JobPage {
public:
    // The clean a page runs: clean::RunClean, or a stand-in.
    using CleanJob = std::function<clean::CleanResult(clean::CleanPlan plan, platform::JobProgress& progress,
                                                      const platform::StopFlag& stop)>;

    // A preview run's page plans previews: only the log says what a clean
    // would do.
    explicit CleaningPage(Session& session, RunMode mode = RunMode::Interactive, CleanJob clean = RunRealClean);

    static clean::CleanResult RunRealClean(clean::CleanPlan plan, platform::JobProgress& progress,
                                           const platform::StopFlag& stop);

protected:
    bool OnInit() override;
    ui::WorkerJob::Work MakeJob(platform::JobProgress& progress) override;
    void ShowReports(const ProgressRelay::Reports& reports) override;
    void TakeResult() override;

private:
    CleanJob clean_;
    std::optional<clean::CleanResult> result_;  // written by the job, taken once it has returned
};

}  // namespace pages
