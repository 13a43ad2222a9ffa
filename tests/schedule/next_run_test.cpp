// The calendar and the wall clock of a time zone, and the next run of every
// kind of schedule: month ends, leap years and both changes of hour, north
// and south of the equator.
#include <gtest/gtest.h>

#include "schedule/schedule.h"
#include "schedule/system_time.h"

namespace {

using schedule::Frequency;
using schedule::Schedule;
using schedule::TimeZone;
using schedule::UtcSeconds;
using schedule::WallTime;

UtcSeconds Utc(int year, int month, int day, int hour, int minute, int second = 0) {
    return schedule::DaysFromDate(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

SYSTEMTIME Change(WORD month, WORD week, WORD hour) {
    SYSTEMTIME change{};
    change.wMonth = month;
    change.wDay = week;
    change.wDayOfWeek = 0;  // Sunday
    change.wHour = hour;
    return change;
}

// The zones as the system describes them.
TimeZone Zone(LONG bias, LONG daylightBias, SYSTEMTIME toStandard, SYSTEMTIME toDaylight) {
    TIME_ZONE_INFORMATION info{};
    info.Bias = bias;
    info.DaylightBias = daylightBias;
    info.StandardDate = toStandard;
    info.DaylightDate = toDaylight;
    return schedule::ZoneOf(info);
}

// Central Europe: forward at 02:00 on the last Sunday of March, back at
// 03:00 on the last Sunday of October.
const TimeZone kBerlin = Zone(-60, -60, Change(10, 5, 3), Change(3, 5, 2));
// South-east Australia: forward on the first Sunday of October, back on the
// first Sunday of April: daylight time spans the turn of the year.
const TimeZone kSydney = Zone(-600, -60, Change(4, 1, 3), Change(10, 1, 2));
const TimeZone kIndia = Zone(-330, 0, {}, {});
const TimeZone kUtc{};

TEST(Calendar, CountsDaysAcrossLeapYearsAndCenturies) {
    EXPECT_EQ(schedule::DaysFromDate(1970, 1, 1), 0);
    EXPECT_EQ(schedule::DaysFromDate(2000, 3, 1), 11017);
    EXPECT_EQ(schedule::DaysFromDate(2024, 1, 1), 19723);
    EXPECT_EQ(schedule::DaysFromDate(1969, 12, 31), -1);
    for (int64_t days = -800; days < 50000; days += 13) {
        WallTime date = schedule::DateFromDays(days);
        ASSERT_EQ(schedule::DaysFromDate(date.year, date.month, date.day), days);
    }
    EXPECT_EQ(schedule::WeekdayOfDays(schedule::DaysFromDate(2024, 5, 20)), 1);  // a Monday
    struct {
        int year, month, days;
    } months[] = {{2024, 2, 29}, {2023, 2, 28}, {2000, 2, 29}, {2100, 2, 28}, {2024, 4, 30}, {2024, 12, 31}};
    for (const auto& m : months) EXPECT_EQ(schedule::DaysInMonth(m.year, m.month), m.days) << m.year << m.month;
}

TEST(ZoneTime, TheWallClockJumpsAtTheChangesOfHour) {
    struct Case {
        const TimeZone* zone;
        UtcSeconds instant;
        WallTime wall;
    } cases[] = {
        {&kBerlin, Utc(2024, 3, 31, 0, 59, 59), {2024, 3, 31, 1, 59, 59}},
        {&kBerlin, Utc(2024, 3, 31, 1, 0, 0), {2024, 3, 31, 3, 0, 0}},
        {&kBerlin, Utc(2024, 10, 27, 0, 59, 59), {2024, 10, 27, 2, 59, 59}},
        {&kBerlin, Utc(2024, 10, 27, 1, 0, 0), {2024, 10, 27, 2, 0, 0}},
        {&kBerlin, Utc(2024, 12, 31, 23, 30), {2025, 1, 1, 0, 30, 0}},
        {&kSydney, Utc(2024, 10, 5, 15, 59, 59), {2024, 10, 6, 1, 59, 59}},
        {&kSydney, Utc(2024, 10, 5, 16, 0, 0), {2024, 10, 6, 3, 0, 0}},
        {&kSydney, Utc(2024, 12, 31, 13, 0), {2025, 1, 1, 0, 0, 0}},
        {&kSydney, Utc(2024, 4, 6, 16, 0, 0), {2024, 4, 7, 2, 0, 0}},
        {&kIndia, Utc(2024, 6, 1, 18, 45), {2024, 6, 2, 0, 15, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(schedule::ToWallTime(c.instant, *c.zone), c.wall) << c.instant;
    }
}

Schedule Daily(int hour, int minute) { return {Frequency::Daily, 1, 1, hour, minute}; }
Schedule Weekly(int weekday, int hour, int minute) { return {Frequency::Weekly, weekday, 1, hour, minute}; }
Schedule Monthly(int day, int hour, int minute) { return {Frequency::Monthly, 1, day, hour, minute}; }

TEST(NextRun, IsTheFirstRunStrictlyAfterNow) {
    constexpr int kLast = schedule::kLastDayOfMonth;
    struct Case {
        const char* what;
        Schedule schedule;
        const TimeZone* zone;
        UtcSeconds now;
        UtcSeconds next;
    } cases[] = {
        {"later today", Daily(12, 0), &kBerlin, Utc(2024, 5, 20, 9, 0), Utc(2024, 5, 20, 10, 0)},
        {"at the run itself", Daily(12, 0), &kBerlin, Utc(2024, 5, 20, 10, 0), Utc(2024, 5, 21, 10, 0)},
        {"today's is past", Weekly(1, 8, 30), &kBerlin, Utc(2024, 5, 20, 7, 0), Utc(2024, 5, 27, 6, 30)},
        {"into the new year", Weekly(0, 0, 0), &kBerlin, Utc(2024, 12, 31, 12, 0), Utc(2025, 1, 4, 23, 0)},
        {"day 31 after a month of 30", Monthly(31, 12, 0), &kBerlin, Utc(2024, 4, 15, 0, 0), Utc(2024, 5, 31, 10, 0)},
        {"day 31 passes September", Monthly(31, 12, 0), &kBerlin, Utc(2024, 8, 31, 12, 0), Utc(2024, 10, 31, 11, 0)},
        {"last day, leap year", Monthly(kLast, 12, 0), &kBerlin, Utc(2024, 2, 10, 0, 0), Utc(2024, 2, 29, 11, 0)},
        {"last day, common year", Monthly(kLast, 12, 0), &kBerlin, Utc(2023, 2, 10, 0, 0), Utc(2023, 2, 28, 11, 0)},
        {"last day of December", Monthly(kLast, 23, 30), &kUtc, Utc(2024, 12, 31, 23, 31), Utc(2025, 1, 31, 23, 30)},
        {"day 29, leap year", Monthly(29, 12, 0), &kBerlin, Utc(2024, 2, 1, 0, 0), Utc(2024, 2, 29, 11, 0)},
        {"day 29 passes February", Monthly(29, 12, 0), &kBerlin, Utc(2023, 2, 1, 0, 0), Utc(2023, 3, 29, 10, 0)},
        {"2000 was a leap year", Monthly(29, 12, 0), &kUtc, Utc(2000, 2, 1, 0, 0), Utc(2000, 2, 29, 12, 0)},
        {"2100 is none", Monthly(29, 12, 0), &kUtc, Utc(2100, 2, 1, 0, 0), Utc(2100, 3, 29, 12, 0)},
        // The clock goes from 02:00 to 03:00: 02:30 comes as 03:30.
        {"skipped time", Daily(2, 30), &kBerlin, Utc(2024, 3, 31, 0, 0), Utc(2024, 3, 31, 1, 30)},
        {"after the skipped time", Daily(2, 30), &kBerlin, Utc(2024, 3, 31, 1, 40), Utc(2024, 4, 1, 0, 30)},
        {"a day of 23 hours", Daily(12, 0), &kBerlin, Utc(2024, 3, 30, 12, 0), Utc(2024, 3, 31, 10, 0)},
        // The clock goes from 03:00 back to 02:00: 02:30 runs once, the first time.
        {"doubled time", Daily(2, 30), &kBerlin, Utc(2024, 10, 27, 0, 0), Utc(2024, 10, 27, 0, 30)},
        {"doubled time, once", Daily(2, 30), &kBerlin, Utc(2024, 10, 27, 0, 45), Utc(2024, 10, 28, 1, 30)},
        {"south, skipped time", Daily(2, 30), &kSydney, Utc(2024, 10, 5, 15, 0), Utc(2024, 10, 5, 16, 30)},
        {"south, summer", Daily(12, 0), &kSydney, Utc(2024, 1, 15, 0, 0), Utc(2024, 1, 15, 1, 0)},
        {"south, winter", Daily(12, 0), &kSydney, Utc(2024, 6, 15, 0, 0), Utc(2024, 6, 15, 2, 0)},
        {"south, new year", Weekly(3, 9, 0), &kSydney, Utc(2024, 12, 31, 23, 0), Utc(2025, 1, 7, 22, 0)},
        {"half-hour zone", Daily(0, 15), &kIndia, Utc(2024, 6, 1, 18, 44), Utc(2024, 6, 1, 18, 45)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(schedule::NextRun(c.schedule, c.now, *c.zone), c.next) << c.what;
    }
    const UtcSeconds now = Utc(2024, 5, 20, 9, 0);
    EXPECT_EQ(schedule::NextRun(Schedule{}, now, kBerlin), std::nullopt);
    for (const Schedule& invalid :
         {Daily(24, 0), Daily(12, 60), Weekly(7, 12, 0), Monthly(0, 12, 0), Monthly(33, 1, 0)}) {
        EXPECT_EQ(schedule::NextRun(invalid, now, kBerlin), std::nullopt);
    }
}

}  // namespace
