#pragma once
// The schedule tab: when the program cleans by itself (never, daily, weekly
// or monthly, at a time), what the Task Scheduler holds now, and the last
// clean. The Task Scheduler is the record: the page reads the task when it
// opens and registers, replaces or removes it on OK, only when the user
// chose a schedule on it.
#include <optional>
#include <string>

#include "options/option_page.h"
#include "platform/task_scheduler.h"
#include "schedule/schedule.h"
#include "schedule/scheduled_task.h"

namespace options {

class SchedulePage : public OptionPage {
public:
    explicit SchedulePage(platform::TaskFolder& tasks) : tasks_(tasks) {}
    // Custom: what is registered; Default: Never, as though the user chose it.
    void LoadPage(config::ValueSet set) override;
    // The schedule is not kept in the settings file.
    bool SavePage() override { return true; }
    bool Commit() override;

    // The task's name for the current user.
    static std::string TaskName();

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void FillChoices();
    // Shows a schedule; nothing leaves every frequency unchosen.
    void ShowSchedule(const std::optional<schedule::Schedule>& shown);
    // The schedule the controls show; nothing when no frequency is chosen.
    std::optional<schedule::Schedule> Chosen() const;
    void UserChose();
    void EnableChoices();
    schedule::Change Planned() const;
    void ShowPlan();
    void ShowNothingToCleanWarning();

    platform::TaskFolder& tasks_;
    schedule::Registration registration_;
    bool chosenByUser_ = false;
};

}  // namespace options
