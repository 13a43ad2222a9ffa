#pragma once
// Helpers of the app tests: probe pages, and windows of other processes.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/wizard_window.h"
#include "pages/wizard_page.h"

namespace apptest {

// A page that records what the wizard and its host told it.
class ProbePage : public pages::WizardPage {
public:
    struct Record {
        int activated = 0, deactivated = 0, next = 0, back = 0, queried = 0, settingsChanged = 0;
    };
    explicit ProbePage(Record* record, bool refuseClose = false) : record_(record), refuse_(refuseClose) {}
    void SetRefuse(bool refuse) { refuse_ = refuse; }

protected:
    void OnActivated() override { ++record_->activated; }
    void OnDeactivated() override { ++record_->deactivated; }
    bool OnQueryCancel() override {
        ++record_->queried;
        return refuse_;
    }
    void OnSettingsChanged() override { ++record_->settingsChanged; }
    void OnNext() override { ++record_->next; }
    void OnBack() override { ++record_->back; }

private:
    Record* record_;
    bool refuse_;
};

// count probe pages, each writing to its own record; pages (when given)
// receives the page objects, which the wizard owns.
std::vector<pages::PageSlot> ProbeSlots(std::vector<ProbePage::Record>& records, size_t count,
                                     std::vector<ProbePage*>* pages = nullptr);

// Hands a wizard window pages made beforehand (they take no session).
app::WizardWindow::PageMaker Given(std::vector<pages::PageSlot> slots);

// Removes a WM_QUIT that a closing wizard left in this thread's queue.
void DrainQuit();

// Top-level windows of a process with the given class ("#32770" for
// dialogs and message boxes).
std::vector<HWND> WindowsOfProcess(DWORD processId, const char* className);


}  // namespace apptest
