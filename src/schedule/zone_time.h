#pragma once
// Calendar arithmetic and the wall clock of a time zone, without the system:
// the next run of a schedule is computed from a time zone given as a value,
// so that its changes of hour can be tried out on any machine.
#include <cstdint>

namespace schedule {

// Seconds since 1970-01-01 00:00 UTC.
using UtcSeconds = int64_t;

// A wall-clock time: year, month 1-12, day 1-31, hour, minute, second.
struct WallTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const WallTime&) const = default;
};

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
int64_t DaysFromDate(int year, int month, int day);
// The date of a day count; hour, minute and second 0.
WallTime DateFromDays(int64_t days);
// 0 Sunday to 6 Saturday.
int WeekdayOfDays(int64_t days);
int DaysInMonth(int year, int month);

// When a time zone changes its clock, as the system describes it: in a
// month, the week-th given weekday (week 5: the last one), at a wall time
// (standard time for the change to daylight time, daylight time for the
// change back).
struct ClockChange {
    int month = 0;  // 0: the zone keeps one time all year
    int week = 1;   // 1 to 5
    int weekday = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// A time zone: UTC = wall time + bias, in minutes, with the standard or the
// daylight bias.
struct TimeZone {
    int standardBias = 0;
    int daylightBias = 0;
    ClockChange toDaylight;
    ClockChange toStandard;
};

// The wall time of an instant.
WallTime ToWallTime(UtcSeconds instant, const TimeZone& zone);

// The instant of a wall time. A time the clock shows twice (the hour when it
// goes back) is its first showing; a time the clock skips (the hour when it
// goes forward) counts as though the clock had not gone forward yet, which
// lands as much later on the clock as the clock jumped.
UtcSeconds ToInstant(const WallTime& wall, const TimeZone& zone);

}  // namespace schedule
