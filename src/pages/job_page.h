#pragma once
// A wizard page that runs a worker job and is the job's sink: the scanning
// and the cleaning page. It owns the job, knows while the job still has calls
// to make to the wizard, keeps the wizard on the page meanwhile, and wires
// the Stop button and the page's start message to the job.
#include <windows.h>

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>

#include "pages/job_drain.h"
#include "pages/page_messages.h"
#include "pages/resource_ids.h"
#include "pages/unattended_run.h"
#include "pages/wizard_page.h"
#include "text/language_table.h"
#include "ui/layout.h"
#include "ui/shell_actions.h"
#include "ui/skinned_controls.h"

namespace pages {

// What the job pages differ in.
struct JobPageRoute {
    UINT startMessage;    // starts a job unless one runs
    const char* waitKey;  // shown when the wizard is to close while a job runs
    int nextPage;
    int backPage;
};

template <class Job, class Sink>
class JobPage : public WizardPage, public Sink {
public:
    bool JobRunning() const { return job_->Running(); }
    // True while a job runs or has calls to the wizard still to make.
    bool Busy() const { return job_->Running() || talking_; }

    // Sink calls every job makes, on the job's thread.
    void EnableWizardButtons(int mask) override {
        ::SendMessageA(wizard_, WM_WIZARD_ENABLEBUTTONS, static_cast<WPARAM>(mask), 0);
    }
    void SetStatus(const std::string& text) override {
        ::SendMessageA(status_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void EnableStop(bool enabled) override { ::EnableWindow(stop_, enabled ? TRUE : FALSE); }

protected:
    JobPage(const JobPageRoute& route, int index, RunMode mode)
        : WizardPage(index, mode), route_(route), job_(std::make_unique<Job>()) {}
    // The drain cannot run here: by now the derived page, which is the sink
    // the job calls, is gone. Every most-derived destructor calls ShutDownJob.
    ~JobPage() override = default;

    // The job must not wait on windows that are about to go, nor this thread
    // on the job: stop it, let the windows go, serve its last calls, join.
    void ShutDownJob() {
        job_->RequestStop();
        if (Hwnd()) ::DestroyWindow(Hwnd());
        WaitWhileTalking(talking_);
        job_.reset();
    }

    // From OnInit: what the job pages set up alike (the translated texts,
    // an empty status, the heavy header, the layout), and the windows the
    // job's calls go to.
    template <size_t N>
    void InitJobPage(const ui::LayoutRule (&layout)[N]) {
        ui::CenterWindow(Hwnd(), ::GetParent(Hwnd()));
        text::TranslateWindow(Hwnd());
        SetItemText(IDC_PG_STATUS, "");
        header_.Attach(Item(IDC_PG_PAGE_HEADER), FW_HEAVY, RGB(0, 0, 0));
        layout_.Init(Hwnd(), layout);
        pageWindow_ = Hwnd();
        host_ = PageHostOf(Hwnd());
        wizard_ = WizardOf(Hwnd());
        status_ = Item(IDC_PG_STATUS);
        stop_ = Item(IDC_PG_STOP);
    }
    HWND PageHost() const { return host_; }

    void OnSize(int width, int height) override { layout_.Apply(width, height); }

    // The sink's last call of a job ends the busy time; the page hears of it
    // on its own thread.
    void DoneTalking() {
        talking_ = false;
        ::PostMessageA(pageWindow_, WM_JOBPAGE_ENDED, 0, 0);
    }

    void OnActivated() override {
        // A running job has disabled the buttons and enables them when it ends.
        if (!Busy()) EnableButtons(kEnableNext | kEnableBack);
    }
    bool OnQueryCancel() override {
        if (!job_->Running()) return false;
        ui::ShowMessage(Hwnd(), route_.waitKey, MB_OK | MB_ICONINFORMATION);
        return true;
    }
    void OnNext() override {
        if (!Busy()) ShowPage(route_.nextPage);
    }
    void OnBack() override {
        if (!Busy()) ShowPage(route_.backPage);
    }
    bool OnCommand(int id, int code, HWND control) override {
        if (id == IDC_PG_STOP) {
            job_->RequestStop();
            EnableItem(IDC_PG_STOP, false);
            return true;
        }
        return WizardPage::OnCommand(id, code, control);
    }
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message == route_.startMessage) {
            StartJob();
            result = 0;
            return true;
        }
        if (message == WM_JOBPAGE_BUSY) {
            result = Busy() ? 1 : 0;
            return true;
        }
        if (message == WM_JOBPAGE_ENDED) {
            TellJobEnded(Hwnd());
            return true;
        }
        return WizardPage::OnPageMessage(message, wParam, lParam, result);
    }

private:
    void StartJob() {
        if (Busy()) return;
        talking_ = true;
        if (!job_->Start(*this)) talking_ = false;
    }

    const JobPageRoute route_;
    // Window handles the job talks to, fixed when the page is created.
    HWND pageWindow_ = nullptr;
    HWND host_ = nullptr;
    HWND wizard_ = nullptr;
    HWND status_ = nullptr;
    HWND stop_ = nullptr;
    // Set when a job starts; cleared by the page after the job's last call.
    std::atomic<bool> talking_{false};
    ui::SkinnedLabel header_;
    ui::Layout layout_;
    std::unique_ptr<Job> job_;
};

}  // namespace pages
