#include "schedule/schedule.h"

namespace schedule {

namespace {

// A day-31 clean waits at most two months (from 31 July the next is 31
// August, from 31 August 31 October); a day before and a margin after cover
// the offset between UTC and the zone's dates.
constexpr int kDaysSearched = 70;

}  // namespace

bool SameTimes(const Schedule& a, const Schedule& b) {
    if (a.frequency != b.frequency) return false;
    if (a.frequency == Frequency::Never) return true;
    if (a.hour != b.hour || a.minute != b.minute) return false;
    if (a.frequency == Frequency::Weekly) return a.weekday == b.weekday;
    if (a.frequency == Frequency::Monthly) return a.monthDay == b.monthDay;
    return true;
}

bool IsValid(const Schedule& s) {
    if (s.frequency == Frequency::Never) return true;
    if (s.hour < 0 || s.hour > 23 || s.minute < 0 || s.minute > 59) return false;
    if (s.frequency == Frequency::Weekly) return s.weekday >= 0 && s.weekday <= 6;
    if (s.frequency == Frequency::Monthly) {
        return (s.monthDay >= 1 && s.monthDay <= 31) || s.monthDay == kLastDayOfMonth;
    }
    return s.frequency == Frequency::Daily;
}

bool RunsOn(const Schedule& s, int year, int month, int day) {
    switch (s.frequency) {
        case Frequency::Daily:
            return true;
        case Frequency::Weekly:
            return WeekdayOfDays(DaysFromDate(year, month, day)) == s.weekday;
        case Frequency::Monthly:
            return day == (s.monthDay == kLastDayOfMonth ? DaysInMonth(year, month) : s.monthDay);
        case Frequency::Never:
            break;
    }
    return false;
}

std::optional<UtcSeconds> NextRun(const Schedule& s, UtcSeconds now, const TimeZone& zone) {
    if (s.frequency == Frequency::Never || !IsValid(s)) return std::nullopt;
    const WallTime today = ToWallTime(now, zone);
    const int64_t first = DaysFromDate(today.year, today.month, today.day) - 1;
    for (int64_t days = first; days < first + kDaysSearched; ++days) {
        WallTime run = DateFromDays(days);
        if (!RunsOn(s, run.year, run.month, run.day)) continue;
        run.hour = s.hour;
        run.minute = s.minute;
        const UtcSeconds instant = ToInstant(run, zone);
        if (instant > now) return instant;
    }
    return std::nullopt;
}

}  // namespace schedule
