#pragma once
// A wizard page that runs a worker job: the scanning and the cleaning page.
// It owns the job's runner and the job's sink (which holds only the windows
// the job sends to), keeps the wizard on the page while the job may still
// talk to it, and wires the Stop button and the page's start message to the
// job.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

#include "pages/job_window_sink.h"
#include "pages/page_messages.h"
#include "pages/resource_ids.h"
#include "pages/unattended_run.h"
#include "pages/wizard_page.h"
#include "platform/job_control.h"
#include "text/language_table.h"
#include "ui/layout.h"
#include "ui/shell_actions.h"
#include "ui/skinned_controls.h"
#include "ui/worker_job.h"

namespace pages {

// What the job pages differ in.
template <class Sink>
struct JobPageRoute {
    UINT startMessage;    // starts a job unless one runs
    const char* waitKey;  // shown when the wizard is to close while a job runs
    int nextPage;
    int backPage;
    void (*work)(Sink& sink, platform::JobControl& control);  // the job, on its own thread
};

template <class Sink>
class JobPage : public WizardPage {
public:
    // From the start of a job until its outcome is settled.
    bool JobRunning() const { return job_.Running(); }
    // True while a job runs or has calls to the wizard still to make.
    bool Busy() const { return job_.Busy(); }

    // The sink the page's jobs report to (for tests: calls on it reach the
    // page's controls as the job's calls do).
    Sink& JobSink() { return *sink_; }

protected:
    JobPage(const JobPageRoute<Sink>& route, int index, RunMode mode) : WizardPage(index, mode), route_(route) {}
    // Normally the window has gone already (WizardPage::Deleter): the job
    // stops, its last calls find no window, and its thread is joined.
    ~JobPage() override { job_.ShutDown(); }

    // From OnInit: what the job pages set up alike (the translated texts,
    // an empty status, the heavy header, the layout), and the job's sink,
    // made by the page from the windows it may talk to.
    template <size_t N, class MakeSink>
    void InitJobPage(const ui::LayoutRule (&layout)[N], MakeSink makeSink) {
        ui::CenterWindow(Hwnd(), ::GetParent(Hwnd()));
        text::TranslateWindow(Hwnd());
        SetItemText(IDC_PG_STATUS, "");
        header_.Attach(Item(IDC_PG_PAGE_HEADER), FW_HEAVY, RGB(0, 0, 0));
        layout_.Init(Hwnd(), layout);
        JobWindows windows{Hwnd(), PageHostOf(Hwnd()), WizardOf(Hwnd()), Item(IDC_PG_STATUS), Item(IDC_PG_STOP)};
        sink_ = makeSink(windows);
    }

    void OnSize(int width, int height) override { layout_.Apply(width, height); }

    void OnActivated() override {
        // A running job has disabled the buttons and enables them when it ends.
        if (!Busy()) EnableButtons(kEnableNext | kEnableBack);
    }
    bool OnQueryCancel() override {
        if (!job_.Running()) return false;
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
            job_.RequestStop();
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
        if (!sink_ || Busy()) return;
        Sink* sink = sink_.get();
        auto work = route_.work;
        HWND page = Hwnd();
        // After the job's last call the page hears of it on its own thread.
        job_.Start([sink, work](platform::JobControl& control) { work(*sink, control); },
                   [page] { ::PostMessageA(page, WM_JOBPAGE_ENDED, 0, 0); });
    }

    const JobPageRoute<Sink> route_;
    ui::SkinnedLabel header_;
    ui::Layout layout_;
    // The sink outlives the job, which the runner shuts down first: stop it,
    // serve its last calls, join.
    std::unique_ptr<Sink> sink_;
    ui::WorkerJob job_;
};

}  // namespace pages
