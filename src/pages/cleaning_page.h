#pragma once
// Wizard page 5: runs the clean job and shows its status and progress. The
// job's calls reach the page's controls by synchronous messages carried out
// on the user-interface thread.
#include "clean/clean_job.h"
#include "pages/job_page.h"

namespace pages {

class CleaningPage : public JobPage<clean::CleanSink> {
public:
    explicit CleaningPage(RunMode mode = RunMode::Interactive);

protected:
    bool OnInit() override;
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

}  // namespace pages
