#include "options/schedule_page.h"

#include <commctrl.h>

#include <algorithm>

#include "app/version.h"
#include "clean/clean_log.h"
#include "config/settings.h"
#include "options/options_ids.h"
#include "options/schedule_texts.h"
#include "paths/module_paths.h"
#include "platform/codepage.h"
#include "schedule/last_clean.h"
#include "schedule/system_time.h"
#include "schedule/task_xml.h"
#include "text/format_template.h"
#include "text/language_table.h"

namespace options {

namespace {

using schedule::Frequency;

struct FrequencyButton {
    int id;
    Frequency frequency;
};

constexpr FrequencyButton kFrequencyButtons[] = {
    {IDC_SCHEDULE_NEVER, Frequency::Never},
    {IDC_SCHEDULE_DAILY, Frequency::Daily},
    {IDC_SCHEDULE_WEEKLY, Frequency::Weekly},
    {IDC_SCHEDULE_MONTHLY, Frequency::Monthly},
};

// The weekdays as the list offers them, Monday first.
constexpr int kWeekdayOrder[] = {1, 2, 3, 4, 5, 6, 0};

constexpr ui::LayoutRule kLayout[] = {
    {IDC_PAGE_ICON, ui::kAnchorTopLeft},          {IDC_PAGE_INFO, ui::kAnchorTopWide},
    {IDC_SCHEDULE_GROUP, ui::kAnchorTopWide},     {IDC_SCHEDULE_PLAN, ui::kAnchorTopWide},
    {IDC_SCHEDULE_NOW_LABEL, ui::kAnchorTopWide}, {IDC_SCHEDULE_NOW, ui::kAnchorTopWide},
    {IDC_SCHEDULE_LAST_LABEL, ui::kAnchorTopWide}, {IDC_SCHEDULE_LAST, ui::kAnchorTopWide},
    {IDC_SCHEDULE_WARNING, ui::kAnchorBottomWide}, {IDC_PAGE_DEFAULT, ui::kAnchorBottomRight},
};

Clock Now() { return {schedule::UtcNow(), schedule::CurrentTimeZone()}; }

schedule::TaskIdentity Identity() {
    return {JUNKSWEEP_PRODUCT_NAME, JUNKSWEEP_DESCRIPTION, paths::ModulePath()};
}

std::string UserName() {
    wchar_t name[256 + 1] = {};
    DWORD size = static_cast<DWORD>(std::size(name));
    return ::GetUserNameW(name, &size) ? platform::ToNarrow(name) : std::string();
}

void AddChoice(HWND combo, const std::string& text, int value) {
    const LRESULT index = ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0) ::SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), value);
}

void SelectChoice(HWND combo, int value) {
    const LRESULT count = ::SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (::SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == value) {
            ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return;
        }
    }
}

int SelectedChoice(HWND combo, int fallback) {
    const LRESULT index = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (index < 0) return fallback;
    return static_cast<int>(::SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

}  // namespace

std::string SchedulePage::TaskName() { return schedule::TaskName(JUNKSWEEP_PRODUCT_NAME, UserName()); }

bool SchedulePage::OnInit() {
    // The time box is a date and time picker.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&controls);
    InitPage(kLayout);
    FillChoices();
    registration_ = schedule::ReadRegistration(tasks_, TaskName());
    LoadPage(config::ValueSet::Custom);
    SetItemText(IDC_SCHEDULE_LAST, LastCleanText(schedule::NewestClean(clean::LogRoot())).c_str());
    ShowNothingToCleanWarning();
    return false;
}

void SchedulePage::FillChoices() {
    HWND weekdays = Item(IDC_SCHEDULE_WEEKDAY);
    for (int weekday : kWeekdayOrder) AddChoice(weekdays, WeekdayName(weekday), weekday);
    HWND monthDays = Item(IDC_SCHEDULE_MONTHDAY);
    for (int day = 1; day <= 31; ++day) AddChoice(monthDays, std::to_string(day), day);
    AddChoice(monthDays, text::LookupText("_schLastDay"), schedule::kLastDayOfMonth);
    ::SendMessageA(Item(IDC_SCHEDULE_TIME), DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>("HH:mm"));
}

void SchedulePage::LoadPage(config::ValueSet set) {
    if (set == config::ValueSet::Default) {
        ShowSchedule(schedule::Schedule{});
        chosenByUser_ = true;
    } else {
        chosenByUser_ = false;
        // A task whose times the service does not tell shows no frequency.
        std::optional<schedule::Schedule> shown = registration_.definition.schedule;
        if (registration_.state == schedule::Registration::State::Absent) shown = schedule::Schedule{};
        ShowSchedule(shown);
    }
    SetItemText(IDC_SCHEDULE_NOW, RegistrationText(registration_, paths::ModulePath(), Now()).c_str());
    ShowPlan();
}

void SchedulePage::ShowSchedule(const std::optional<schedule::Schedule>& shown) {
    const schedule::Schedule s = shown.value_or(schedule::Schedule{});
    for (const FrequencyButton& button : kFrequencyButtons) {
        const bool checked = shown && shown->frequency == button.frequency;
        ::CheckDlgButton(Hwnd(), button.id, checked ? BST_CHECKED : BST_UNCHECKED);
    }
    SelectChoice(Item(IDC_SCHEDULE_WEEKDAY), s.weekday);
    SelectChoice(Item(IDC_SCHEDULE_MONTHDAY), s.monthDay);
    SYSTEMTIME time{};
    ::GetLocalTime(&time);
    time.wHour = static_cast<WORD>(s.hour);
    time.wMinute = static_cast<WORD>(s.minute);
    time.wSecond = 0;
    time.wMilliseconds = 0;
    ::SendMessageA(Item(IDC_SCHEDULE_TIME), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    EnableChoices();
}

std::optional<schedule::Schedule> SchedulePage::Chosen() const {
    schedule::Schedule s;
    const auto checked = std::find_if(std::begin(kFrequencyButtons), std::end(kFrequencyButtons),
                                      [&](const FrequencyButton& b) { return ::IsDlgButtonChecked(Hwnd(), b.id); });
    if (checked == std::end(kFrequencyButtons)) return std::nullopt;
    s.frequency = checked->frequency;
    s.weekday = SelectedChoice(Item(IDC_SCHEDULE_WEEKDAY), s.weekday);
    s.monthDay = SelectedChoice(Item(IDC_SCHEDULE_MONTHDAY), s.monthDay);
    SYSTEMTIME time{};
    if (::SendMessageA(Item(IDC_SCHEDULE_TIME), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) == GDT_VALID) {
        s.hour = time.wHour;
        s.minute = time.wMinute;
    }
    return s;
}

void SchedulePage::EnableChoices() {
    const std::optional<schedule::Schedule> chosen = Chosen();
    const Frequency frequency = chosen ? chosen->frequency : Frequency::Never;
    EnableItem(IDC_SCHEDULE_WEEKDAY, frequency == Frequency::Weekly);
    EnableItem(IDC_SCHEDULE_MONTHDAY, frequency == Frequency::Monthly);
    EnableItem(IDC_SCHEDULE_TIME, frequency != Frequency::Never);
}

schedule::Change SchedulePage::Planned() const {
    const std::optional<schedule::Schedule> chosen = Chosen();
    if (!chosen) return schedule::Change::None;
    return schedule::PlanChange(registration_, *chosen, chosenByUser_, paths::ModulePath());
}

void SchedulePage::ShowPlan() {
    const std::optional<schedule::Schedule> chosen = Chosen();
    const std::string plan = chosen ? PlanText(Planned(), *chosen, Now()) : std::string();
    SetItemText(IDC_SCHEDULE_PLAN, plan.c_str());
}

void SchedulePage::UserChose() {
    chosenByUser_ = true;
    EnableChoices();
    ShowPlan();
}

void SchedulePage::ShowNothingToCleanWarning() {
    // A scheduled clean works on the stored selection, the ticked
    // application rules and the trace switches.
    const config::AdvCleanOptions traces = config::LoadAdvCleanOptions(config::ValueSet::Custom);
    const bool nothing = config::LoadSelectedPaths().empty() &&
                         config::LoadCheckedRules(config::ValueSet::Custom).empty() &&
                         std::none_of(traces.begin(), traces.end(), [](int32_t on) { return on != 0; });
    SetItemText(IDC_SCHEDULE_WARNING, nothing ? text::LookupText("_schNothingToClean").c_str() : "");
}

bool SchedulePage::Commit() {
    const schedule::Change change = Planned();
    if (change == schedule::Change::None) return true;
    const schedule::Schedule chosen = Chosen().value_or(schedule::Schedule{});
    std::string xml;
    if (change == schedule::Change::Register) {
        const Clock clock = Now();
        const std::optional<schedule::UtcSeconds> first = schedule::NextRun(chosen, clock.now, clock.zone);
        if (first) xml = schedule::TaskXml(chosen, Identity(), schedule::ToWallTime(*first, clock.zone));
    }
    const HRESULT result = schedule::CarryOut(tasks_, change, TaskName(), xml);
    if (SUCCEEDED(result)) return true;
    const std::string message = text::FormatTemplate(text::LookupText("_schNotChanged"), {FailureText(result)});
    SetItemText(IDC_SCHEDULE_PLAN, message.c_str());
    return false;
}

bool SchedulePage::OnCommand(int id, int code, HWND) {
    if (id == IDC_PAGE_DEFAULT && code == BN_CLICKED) {
        LoadPage(config::ValueSet::Default);
        return true;
    }
    const bool frequency = std::any_of(std::begin(kFrequencyButtons), std::end(kFrequencyButtons),
                                       [id](const FrequencyButton& b) { return b.id == id; });
    if ((frequency && code == BN_CLICKED) ||
        ((id == IDC_SCHEDULE_WEEKDAY || id == IDC_SCHEDULE_MONTHDAY) && code == CBN_SELCHANGE)) {
        UserChose();
        return true;
    }
    return false;
}

bool SchedulePage::OnNotify(const NMHDR& header, LRESULT&) {
    if (header.idFrom != IDC_SCHEDULE_TIME || header.code != DTN_DATETIMECHANGE) return false;
    UserChose();
    return true;
}

bool SchedulePage::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT&) {
    // The trace switches may have changed in the advanced settings meanwhile.
    if (message == WM_SHOWWINDOW && wParam) ShowNothingToCleanWarning();
    return false;
}

}  // namespace options
