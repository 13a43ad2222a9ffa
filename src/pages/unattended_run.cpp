#include "pages/unattended_run.h"

#include <algorithm>
#include <iterator>

#include "pages/page_protocol.h"

namespace pages {

namespace {

enum class Action { ShowPage, StartJob, CloseWizard };

struct Step {
    int page;
    Action action;
    int target;         // the page shown, or the job page started
    UINT startMessage;  // for StartJob
};

// The welcome page passes on; the drive selection scans the stored
// selection as it is; the report goes on to the summary; the summary
// starts the clean; the finish page closes the program.
constexpr Step kSteps[] = {
    {kWelcomePage, Action::ShowPage, kDriveSelectionPage, 0},
    {kDriveSelectionPage, Action::StartJob, kScanningPage, WM_SCANPAGE_STARTSCAN},
    {kReportPage, Action::ShowPage, kCleanSummaryPage, 0},
    {kCleanSummaryPage, Action::StartJob, kCleaningPage, WM_CLEANPAGE_START},
    {kFinishPage, Action::CloseWizard, kNoPage, 0},
};

const Step* StepOf(int index) {
    auto step = std::find_if(std::begin(kSteps), std::end(kSteps), [index](const Step& s) { return s.page == index; });
    return step == std::end(kSteps) ? nullptr : step;
}

}  // namespace

bool HasUnattendedStep(int index) { return StepOf(index) != nullptr; }

void TakeUnattendedStep(HWND page, int index) {
    const Step* step = StepOf(index);
    if (!step) return;
    switch (step->action) {
        case Action::ShowPage:
            ShowWizardPage(page, step->target);
            break;
        case Action::StartJob:
            ShowPageAndStart(page, step->target, step->startMessage);
            break;
        case Action::CloseWizard:
            // Closing destroys the page's window: nothing may follow it.
            ::SendMessageA(WizardOf(page), WM_WIZARD_CLOSE, 0, 0);
            break;
    }
}

}  // namespace pages
