#pragma once
// What the schedule page says, in the user's language: the schedule, what
// the Task Scheduler holds now, what OK will do, and the last clean.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "schedule/last_clean.h"
#include "schedule/schedule.h"
#include "schedule/scheduled_task.h"

namespace options {

// The weekday's name, 0 Sunday to 6 Saturday.
std::string WeekdayName(int weekday);
// "every Monday at 12:00"
std::string ScheduleText(const schedule::Schedule& schedule);
// "Monday 2026-12-14 12:00"
std::string WhenText(const schedule::WallTime& when);
// The message of a failure of the service.
std::string FailureText(HRESULT failure);

// The clock the texts read the next run by.
struct Clock {
    schedule::UtcSeconds now;
    schedule::TimeZone zone;
};

// What is registered now, one line per fact: the task and when it runs
// next, the program it starts (with a warning when that is not this one),
// or why the service could not be asked.
std::string RegistrationText(const schedule::Registration& registration, std::string_view programPath,
                             const Clock& clock);

// What OK will do; empty when it does nothing.
std::string PlanText(schedule::Change change, const schedule::Schedule& chosen, const Clock& clock);

// The last clean a log tells of, or that none did.
std::string LastCleanText(const std::optional<schedule::LastClean>& last);

}  // namespace options
