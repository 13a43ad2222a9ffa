#pragma once
// When the scheduled clean runs: never, every day, one day a week or one day
// a month, at a wall-clock time of the local time zone.
#include <optional>

#include "schedule/zone_time.h"

namespace schedule {

enum class Frequency { Never, Daily, Weekly, Monthly };

// The day of a monthly clean that is the month's last, whatever its length.
inline constexpr int kLastDayOfMonth = 32;

struct Schedule {
    Frequency frequency = Frequency::Never;
    int weekday = 1;     // weekly: 0 Sunday to 6 Saturday
    int monthDay = 1;    // monthly: 1 to 31, or kLastDayOfMonth
    int hour = 12;
    int minute = 0;
};

// Equal when both run at the same times: what a frequency does not use
// (the weekday of a daily clean, every field of Never) is not compared.
bool SameTimes(const Schedule& a, const Schedule& b);

// True when every field the frequency uses is in its range.
bool IsValid(const Schedule& schedule);

// True when the schedule runs on that date. A monthly clean on day 29 to 31
// does not run in a month without that day, as the Task Scheduler does it.
bool RunsOn(const Schedule& schedule, int year, int month, int day);

// The first run strictly after now; nothing for Never or an invalid
// schedule. Runs are at the schedule's wall time in the zone; how a skipped
// or doubled wall time is read: see ToInstant.
std::optional<UtcSeconds> NextRun(const Schedule& schedule, UtcSeconds now, const TimeZone& zone);

}  // namespace schedule
