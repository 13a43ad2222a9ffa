// The schedule tab of the options dialog: what it shows of the Task
// Scheduler's task, what OK does to it, what a failing service leaves, and
// the same against the service of the test bed.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/version.h"
#include "config/settings.h"
#include "options/options_dialog.h"
#include "options/schedule_page.h"
#include "options/schedule_texts.h"
#include "paths/module_paths.h"
#include "schedule/system_time.h"
#include "schedule/task_xml.h"
#include "support/settings_xml.h"
#include "text/format_template.h"
#include "text/language_table.h"
#include "options_bed.h"

namespace {

using optest::ProgramBed;
using schedule::Frequency;
using schedule::Schedule;

constexpr int kTab = options::kScheduleTab;
constexpr HRESULT kNotRunning = static_cast<HRESULT>(0x80041315);
constexpr HRESULT kRefused = static_cast<HRESULT>(0x8004131A);

// A Task Scheduler kept in memory, whose calls can be made to fail.
class FakeTasks : public platform::TaskFolder {
public:
    std::map<std::string, std::string> tasks;
    HRESULT failure = S_OK;  // of every call
    std::vector<std::string> changes;

    platform::TaskLookup Find(const std::string& name) override {
        if (FAILED(failure)) return {failure, false, {}};
        auto found = tasks.find(name);
        return found == tasks.end() ? platform::TaskLookup{} : platform::TaskLookup{S_OK, true, found->second};
    }
    HRESULT Register(const std::string& name, const std::string& xml) override {
        changes.push_back("register");
        if (SUCCEEDED(failure)) tasks[name] = xml;
        return failure;
    }
    HRESULT Remove(const std::string& name) override {
        changes.push_back("remove");
        if (SUCCEEDED(failure)) tasks.erase(name);
        return failure;
    }
};

std::string TaskXml(const Schedule& s, const std::string& program) {
    return schedule::TaskXml(s, {"JunkSweep", "", program}, {2024, 1, 1});
}

const Schedule kWeeklyFriday{Frequency::Weekly, 5, 1, 8, 30};

// A program place with the shipped texts and settings that hold a selection.
struct ScheduleBed {
    ScheduleBed() { bed.Place().CopyShipped("JunkSweep.lng"); }
    ProgramBed bed;
};

// The options, opened on the schedule tab.
struct ScheduleTab {
    explicit ScheduleTab(platform::TaskFolder* tasks) : sheet(kTab, optest::UnexpectedBrowser(), tasks) {}

    HWND Item(int id) { return sheet.PageItem(kTab, id); }
    HWND Page() { return sheet->Page(kTab).Hwnd(); }
    std::string Text(int id) { return platform::WindowText(Item(id)); }
    int Checked() {
        for (int id : {IDC_SCHEDULE_NEVER, IDC_SCHEDULE_DAILY, IDC_SCHEDULE_WEEKLY, IDC_SCHEDULE_MONTHLY}) {
            if (optest::IsChecked(Item(id))) return id;
        }
        return 0;
    }
    int Choice(int combo) {
        HWND box = Item(combo);
        return static_cast<int>(::SendMessageA(box, CB_GETITEMDATA, ::SendMessageA(box, CB_GETCURSEL, 0, 0), 0));
    }
    void Choose(int combo, int value) {
        HWND box = Item(combo);
        for (int i = 0; i < ::SendMessageA(box, CB_GETCOUNT, 0, 0); ++i) {
            if (::SendMessageA(box, CB_GETITEMDATA, i, 0) == value) ::SendMessageA(box, CB_SETCURSEL, i, 0);
        }
        ::SendMessageA(Page(), WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    }
    void SetTime(int hour, int minute) {
        SYSTEMTIME time{};
        ::GetLocalTime(&time);
        time.wHour = static_cast<WORD>(hour);
        time.wMinute = static_cast<WORD>(minute);
        NMDATETIMECHANGE change{};
        change.nmhdr = {Item(IDC_SCHEDULE_TIME), IDC_SCHEDULE_TIME, DTN_DATETIMECHANGE};
        change.st = time;
        ::SendMessageA(Item(IDC_SCHEDULE_TIME), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
        ::SendMessageA(Page(), WM_NOTIFY, IDC_SCHEDULE_TIME, reinterpret_cast<LPARAM>(&change));
    }
    void Ok() { optest::Click(sheet.Item(IDOK)); }

    optest::OpenSheet sheet;
};

std::string Program() { return paths::ModulePath(); }

TEST(SchedulePage, ShowsWhatTheTaskSchedulerHolds) {
    ScheduleBed place;
    const Schedule lastDay{Frequency::Monthly, 1, schedule::kLastDayOfMonth, 23, 0};
    const std::string old = "D:\\Old\\JunkSweep.exe";
    struct Case {
        const char* what;
        std::optional<std::string> xml;
        HRESULT failure;
        int checked, choice;  // the frequency shown and its day
        std::vector<std::string> says;
    } cases[] = {
        {"no task", {}, S_OK, IDC_SCHEDULE_NEVER, 0, {text::LookupText("_schNoTask")}},
        {"weekly", TaskXml(kWeeklyFriday, Program()), S_OK, IDC_SCHEDULE_WEEKLY, 5,
         {options::ScheduleText(kWeeklyFriday), text::LookupText("_schNextRun").substr(0, 5), Program()}},
        {"another program", TaskXml(lastDay, old), S_OK, IDC_SCHEDULE_MONTHLY, schedule::kLastDayOfMonth,
         {options::ScheduleText(lastDay), text::FormatTemplate(text::LookupText("_schOtherProgram"), {old})}},
        {"times not told", "<Task><Triggers/><Actions><Exec/></Actions></Task>", S_OK, 0, 0,
         {text::LookupText("_schTaskUnknownTimes"), text::LookupText("_schUnknownProgram")}},
        {"service not running", {}, kNotRunning, 0, 0, {options::FailureText(kNotRunning)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeTasks tasks;
        tasks.failure = c.failure;
        if (c.xml) tasks.tasks[options::SchedulePage::TaskName()] = *c.xml;
        ScheduleTab tab(&tasks);
        EXPECT_EQ(tab.Checked(), c.checked);
        const std::string now = tab.Text(IDC_SCHEDULE_NOW);
        for (const std::string& said : c.says) EXPECT_NE(now.find(said), std::string::npos) << now << "\n" << said;
        EXPECT_EQ(tab.Text(IDC_SCHEDULE_PLAN), "");
        for (int combo : {IDC_SCHEDULE_WEEKDAY, IDC_SCHEDULE_MONTHDAY}) {
            const bool used = c.checked == (combo == IDC_SCHEDULE_WEEKDAY ? IDC_SCHEDULE_WEEKLY : IDC_SCHEDULE_MONTHLY);
            EXPECT_EQ(::IsWindowEnabled(tab.Item(combo)) != 0, used);
            if (used) {
                EXPECT_EQ(tab.Choice(combo), c.choice);
            }
        }
        optest::Click(tab.sheet.Item(IDCANCEL));
        EXPECT_TRUE(tasks.changes.empty());
    }
}

// The schedule of the task the fake holds, or Never.
Schedule Registered(const FakeTasks& tasks) {
    auto found = tasks.tasks.find(options::SchedulePage::TaskName());
    if (found == tasks.tasks.end()) return {};
    return schedule::ReadTaskXml(found->second).schedule.value_or(Schedule{Frequency::Daily, 0, 0, -1, -1});
}

TEST(SchedulePage, OkChangesTheTaskOnlyAsTheUserChose) {
    using Step = std::function<void(ScheduleTab&)>;
    auto click = [](int id) -> Step { return [id](ScheduleTab& t) { optest::Click(t.Item(id)); }; };
    const Schedule wednesday{Frequency::Weekly, 3, 1, 6, 45};
    const Schedule lastDay{Frequency::Monthly, 1, schedule::kLastDayOfMonth, 8, 30};
    struct Case {
        const char* what;
        bool registered;  // a weekly task of this program is there
        std::vector<Step> steps;
        int button;
        std::vector<std::string> changes;
        Schedule after;
    } cases[] = {
        {"nothing chosen", true, {}, IDOK, {}, kWeeklyFriday},
        {"daily", false, {click(IDC_SCHEDULE_DAILY)}, IDOK, {"register"}, {Frequency::Daily, 1, 1, 12, 0}},
        {"weekly, other day and time", false,
         {click(IDC_SCHEDULE_WEEKLY), [](ScheduleTab& t) { t.Choose(IDC_SCHEDULE_WEEKDAY, 3); },
          [](ScheduleTab& t) { t.SetTime(6, 45); }},
         IDOK, {"register"}, wednesday},
        {"last day of the month", true,
         {click(IDC_SCHEDULE_MONTHLY), [](ScheduleTab& t) { t.Choose(IDC_SCHEDULE_MONTHDAY, 32); }}, IDOK,
         {"register"}, lastDay},
        {"chosen as it is", true, {click(IDC_SCHEDULE_WEEKLY)}, IDOK, {}, kWeeklyFriday},
        {"never", true, {click(IDC_SCHEDULE_NEVER)}, IDOK, {"remove"}, {}},
        {"page default", true, {click(IDC_PAGE_DEFAULT)}, IDOK, {"remove"}, {}},
        {"cancelled", true, {click(IDC_SCHEDULE_DAILY)}, IDCANCEL, {}, kWeeklyFriday},
    };
    ScheduleBed place;
    const schedule::TimeZone zone = schedule::CurrentTimeZone();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeTasks tasks;
        if (c.registered) tasks.tasks[options::SchedulePage::TaskName()] = TaskXml(kWeeklyFriday, Program());
        ScheduleTab tab(&tasks);
        for (const Step& step : c.steps) step(tab);
        if (c.button == IDOK) {
            EXPECT_EQ(tab.Text(IDC_SCHEDULE_PLAN).empty(), c.changes.empty());
        }
        optest::Click(tab.sheet.Item(c.button));
        EXPECT_FALSE(::IsWindow(tab.sheet.Hwnd()));
        EXPECT_EQ(tasks.changes, c.changes);
        EXPECT_TRUE(schedule::SameTimes(Registered(tasks), c.after));
        if (c.changes != std::vector<std::string>{"register"}) continue;
        // Starts this program, from the day of its next run.
        const std::string& xml = tasks.tasks[options::SchedulePage::TaskName()];
        EXPECT_EQ(schedule::ReadTaskXml(xml).command, Program());
        const auto next = schedule::NextRun(c.after, schedule::UtcNow(), zone);
        const schedule::WallTime day = schedule::ToWallTime(next.value_or(0), zone);
        char start[32];
        std::snprintf(start, sizeof start, "<StartBoundary>%04d-%02d-%02dT", day.year, day.month, day.day);
        EXPECT_NE(xml.find(start), std::string::npos) << xml;
    }
}

TEST(SchedulePage, AFailingServiceIsNamedOnThePageAndNothingChanges) {
    ScheduleBed place;
    for (HRESULT failure : {kNotRunning, E_ACCESSDENIED, kRefused}) {
        for (int choice : {IDC_SCHEDULE_DAILY, IDC_SCHEDULE_NEVER}) {
            SCOPED_TRACE(std::to_string(failure) + " " + std::to_string(choice));
            FakeTasks tasks;
            tasks.tasks[options::SchedulePage::TaskName()] = TaskXml(kWeeklyFriday, Program());
            const std::string settings = place.bed.SettingsBytes();
            ScheduleTab tab(&tasks);
            tasks.failure = failure;
            tab.sheet.SelectTab(options::kCleanOptionsTab);
            optest::Click(tab.sheet.PageItem(options::kCleanOptionsTab, IDC_BACKUP));  // a change to save
            tab.sheet.SelectTab(kTab);
            optest::Click(tab.Item(choice));
            tab.sheet.SelectTab(options::kJunkTypesTab);
            tab.Ok();

            ASSERT_TRUE(::IsWindow(tab.sheet.Hwnd()));
            EXPECT_EQ(tab.sheet->ShownTab(), kTab);
            EXPECT_NE(tab.Text(IDC_SCHEDULE_PLAN).find(options::FailureText(failure)), std::string::npos);
            EXPECT_EQ(place.bed.SettingsBytes(), settings);
            EXPECT_TRUE(schedule::SameTimes(Registered(tasks), kWeeklyFriday));

            // Once the service answers, OK goes through.
            tasks.failure = S_OK;
            tab.Ok();
            EXPECT_FALSE(::IsWindow(tab.sheet.Hwnd()));
            EXPECT_NE(place.bed.SettingsBytes(), settings);
            EXPECT_EQ(Registered(tasks).frequency, choice == IDC_SCHEDULE_DAILY ? Frequency::Daily : Frequency::Never);
        }
    }
    // Another failure is named by its code.
    EXPECT_NE(options::FailureText(E_FAIL).find("0x80004005"), std::string::npos);
}

TEST(SchedulePage, WarnsOfACleanWithNothingToDoAndShowsTheLastClean) {
    ScheduleBed place;
    FakeTasks tasks;
    struct Case {
        std::vector<std::string> selection;
        int traceOn;  // -1: none
        bool application;
        bool warns;
    } cases[] = {{{}, -1, false, true}, {{"d:\\"}, -1, false, false}, {{}, 3, false, false}, {{}, -1, true, false}};
    for (const Case& c : cases) {
        testsupport::SettingsValues user;
        if (c.traceOn >= 0) user.traces[static_cast<size_t>(c.traceOn)] = 1;
        place.bed.Place().WriteSettings(testsupport::SettingsDocumentXml({}, user, c.selection));
        if (c.application) config::SaveCheckedRules({"Tool: cache"});
        ScheduleTab tab(&tasks);
        EXPECT_EQ(tab.Text(IDC_SCHEDULE_WARNING), c.warns ? text::LookupText("_schNothingToClean") : "");
        EXPECT_EQ(tab.Text(IDC_SCHEDULE_LAST), text::LookupText("_schNoClean"));
    }

    const std::string logs = place.bed.Place().Folder() + "\\Data\\ToolJunkSweep\\Logs";
    testsupport::MakeFolders(logs);
    testsupport::WriteFile(logs + "\\2024-05-17_09-30-05.log",
                           "summary\tfiles=9\tcleaned=6\tcleaned_bytes=98377\tkept=1\tfailed=2\tskipped=0"
                           "\tstatus=completed\r\n");
    ScheduleTab tab(&tasks);
    const std::string last = tab.Text(IDC_SCHEDULE_LAST);
    const std::string counts = text::FormatTemplate(text::LookupText("_fnCleanedNotAllLine"), {6, "96.07 KB", 3});
    for (const std::string& part : {std::string("2024-05-17 09:30"), counts}) {
        EXPECT_NE(last.find(part), std::string::npos) << last;
    }
}

// Passes every call to the test bed's Task Scheduler, with the definition
// spoilt when asked.
class BedTasks : public platform::TaskFolder {
public:
    bool spoil = false;
    int registered = 0;
    platform::TaskLookup Find(const std::string& name) override { return system_.Find(name); }
    HRESULT Register(const std::string& name, const std::string& xml) override {
        ++registered;
        return system_.Register(name, spoil ? xml.substr(0, xml.size() / 2) : xml);
    }
    HRESULT Remove(const std::string& name) override { return system_.Remove(name); }

private:
    platform::SystemTaskFolder system_;
};

TEST(SchedulePage, RegistersReplacesAndRemovesTheTaskOfTheSystemService) {
    ScheduleBed place;
    platform::SystemTaskFolder system;
    const std::string name = options::SchedulePage::TaskName();
    EXPECT_NE(name.find(JUNKSWEEP_PRODUCT_NAME), std::string::npos);
    ASSERT_EQ(system.Remove(name), S_OK);
    auto run = [](BedTasks& tasks, int choice, bool closes) {
        ScheduleTab tab(&tasks);
        optest::Click(tab.Item(choice));
        tab.Ok();
        EXPECT_EQ(::IsWindow(tab.sheet.Hwnd()) == FALSE, closes);
        if (!closes) {
            EXPECT_NE(tab.Text(IDC_SCHEDULE_PLAN).find(text::LookupText("_schRefused")), std::string::npos);
            optest::Click(tab.sheet.Item(IDCANCEL));
        }
    };

    BedTasks tasks;
    run(tasks, IDC_SCHEDULE_DAILY, true);
    // The service's copy keeps the task's settings (its triggers and action it drops).
    const std::string kept = system.Find(name).xml;
    for (const char* setting : {"<MultipleInstancesPolicy>IgnoreNew<", "<StartWhenAvailable>true<",
                                "<ExecutionTimeLimit>PT2H<", "<Description>" JUNKSWEEP_DESCRIPTION "<"}) {
        EXPECT_NE(kept.find(setting), std::string::npos) << setting << "\n" << kept;
    }
    run(tasks, IDC_SCHEDULE_WEEKLY, true);
    EXPECT_EQ(tasks.registered, 2);
    EXPECT_TRUE(system.Find(name).found);
    const std::string before = system.Find(name).xml;

    tasks.spoil = true;
    run(tasks, IDC_SCHEDULE_MONTHLY, false);
    EXPECT_EQ(system.Find(name).xml, before);

    run(tasks, IDC_SCHEDULE_NEVER, true);
    EXPECT_FALSE(system.Find(name).found);
}

}  // namespace
