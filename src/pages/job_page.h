#pragma once
// A wizard page that runs a job: the scanning and the cleaning page. When a
// job starts, the page makes its request (from the settings and the
// session) on this thread and runs the job on a worker thread; the job's
// reports reach the page's controls as posted messages, and its result is
// taken on this thread once the job has returned. Only then does the page
// enable the wizard's buttons and move the wizard on. While a job runs the
// wizard neither closes nor leaves the page.
#include <windows.h>

#include <cstddef>
#include <memory>

#include "pages/progress_relay.h"
#include "pages/resource_ids.h"
#include "pages/session.h"
#include "pages/wizard_page.h"
#include "ui/layout.h"
#include "ui/skinned_controls.h"
#include "ui/worker_job.h"

namespace pages {

class JobPage : public WizardPage {
public:
    // What the job pages differ in.
    struct Route {
        UINT startMessage;    // starts a job unless one runs
        const char* waitKey;  // shown when the wizard is to close while a job runs
        int nextPage;         // shown once a job's result is taken
        int backPage;
    };

    // From the start of a job until the page has taken its result.
    bool JobRunning() const { return job_.Busy(); }

    // Where the page's jobs report (for tests: reports made here reach the
    // page's controls as the job's do).
    platform::JobProgress& Progress() { return *relay_; }

protected:
    JobPage(Session& session, const Route& route, int index, RunMode mode)
        : WizardPage(index, mode), session_(session), route_(route) {}
    // Normally the window has gone already (WizardPage::Deleter): the job is
    // stopped and joined.
    ~JobPage() override { job_.ShutDown(); }

    // From OnInit: what the job pages set up alike (the translated texts,
    // an empty status, the heavy header, the layout).
    template <size_t N>
    void InitJobPage(const ui::LayoutRule (&layout)[N]) {
        InitJobPage(layout, N);
    }

    // The job to run, with its request made now; it keeps its result for
    // TakeResult.
    virtual ui::WorkerJob::Work MakeJob(platform::JobProgress& progress) = 0;
    // Clears what the last job left on the page.
    virtual void OnJobStarting() {}
    // Shows the job's reports; the base shows the status.
    virtual void ShowReports(const ProgressRelay::Reports& reports);
    // Puts the returned job's result where the next page reads it.
    virtual void TakeResult() = 0;

    // The wizard's session: where requests come from and results go.
    Session& session_;

    void OnSize(int width, int height) override { layout_.Apply(width, height); }
    void OnActivated() override;
    bool OnQueryCancel() override;
    void OnNext() override;
    void OnBack() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void InitJobPage(const ui::LayoutRule* layout, size_t count);
    void StartJob();
    void EndJob();

    const Route route_;
    ui::SkinnedLabel header_;
    ui::Layout layout_;
    std::unique_ptr<ProgressRelay> relay_;
    ui::WorkerJob job_;
};

}  // namespace pages
