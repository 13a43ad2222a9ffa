#pragma once
// Wizard page 5: runs the clean job and shows its status and progress. The
// page is the job's sink; every call reaches the controls by a synchronous
// message carried out on the user-interface thread.
#include "clean/clean_job.h"
#include "pages/job_page.h"

namespace pages {

class CleaningPage : public JobPage<clean::CleanJob, clean::CleanSink> {
public:
    explicit CleaningPage(RunMode mode = RunMode::Interactive);
    ~CleaningPage() override;

protected:
    bool OnInit() override;
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

public:
    // clean::CleanSink, called on the job's thread (the rest in JobPage).
    void SetPosition(int position) override;
    clean::CleanList CollectTickedFiles() override;
    void SetRange(uint32_t count) override;
    uint32_t RangeUpper() override;
    void ShowFinishPage() override;

private:
    HWND page_ = nullptr;
    HWND progress_ = nullptr;
};

}  // namespace pages
