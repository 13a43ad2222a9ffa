#pragma once
// Wizard page 5: runs the clean job and shows its status and progress. The
// page is the job's sink; every call reaches the controls by a synchronous
// message carried out on the user-interface thread.
#include <atomic>
#include <memory>

#include "clean/clean_job.h"
#include "ui/layout.h"
#include "ui/skinned_controls.h"
#include "ui/wizard_page.h"

namespace pages {

class CleaningPage : public ui::WizardPage, public clean::CleanSink {
public:
    CleaningPage();
    ~CleaningPage() override;

    bool JobRunning() const { return job_->Running(); }
    // True while a job runs or has calls to the wizard still to make.
    bool Busy() const { return job_->Running() || talking_; }

protected:
    bool OnInit() override;
    void OnActivated() override;
    bool OnQueryCancel() override;
    void OnNext() override;
    void OnBack() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnSize(int width, int height) override;
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

public:
    // clean::CleanSink, called on the job's thread.
    void SetStatus(const std::string& text) override;
    void SetPosition(int position) override;
    void EnableWizardButtons(int mask) override;
    void EnableStop(bool enabled) override;
    clean::CleanList CollectTickedFiles() override;
    void SetRange(uint32_t count) override;
    uint32_t RangeUpper() override;
    void ShowFinishPage() override;

private:
    void StartClean();
    // The paths of the report rows the clean takes (user-interface thread).
    clean::CleanList TakenReportRows() const;

    HWND page_ = nullptr;
    HWND wizard_ = nullptr;
    HWND host_ = nullptr;
    HWND status_ = nullptr;
    HWND progress_ = nullptr;
    HWND stop_ = nullptr;
    // Set when a job starts; cleared after its last call (showing the finish page).
    std::atomic<bool> talking_{false};
    ui::SkinnedLabel header_;
    ui::Layout layout_;
    std::unique_ptr<clean::CleanJob> job_;
};

}  // namespace pages
