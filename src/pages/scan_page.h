#pragma once
// Wizard page 2: runs the scan job and shows its progress. The page is the
// job's sink: every call reaches the controls by a synchronous message, so
// the user-interface thread carries it out while the job waits.
#include <atomic>
#include <memory>

#include "scan/scan_job.h"
#include "ui/layout.h"
#include "ui/skinned_controls.h"
#include "ui/wizard_page.h"

namespace pages {

class ScanPage : public ui::WizardPage, public scan::ScanSink {
public:
    ScanPage();
    ~ScanPage() override;

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
    // scan::ScanSink, called on the job's thread.
    void EnableWizardButtons(int mask) override;
    void SetStatus(const std::string& text) override;
    void SetCountText(const std::string& text) override;
    void EnableStop(bool enabled) override;
    void FillReport(const std::vector<scan::FoundFile>& findings) override;
    void ShowReportPage() override;

private:
    void StartScan();

    // Window handles the job talks to, fixed when the page is created.
    HWND wizard_ = nullptr;
    HWND host_ = nullptr;
    HWND status_ = nullptr;
    HWND count_ = nullptr;
    HWND stop_ = nullptr;
    // Set when a job starts; cleared after its last call, the one that
    // enables Back and Next again.
    std::atomic<bool> talking_{false};
    ui::SkinnedLabel header_;
    ui::SkinnedLabel countLabel_;
    ui::Layout layout_;
    std::unique_ptr<scan::ScanJob> job_;
};

}  // namespace pages
