#include "schedule/zone_time.h"

#include <algorithm>

namespace schedule {

namespace {

constexpr int64_t kSecondsPerDay = 86400;

int64_t FloorDiv(int64_t value, int64_t divisor) {
    int64_t quotient = value / divisor;
    return value % divisor < 0 ? quotient - 1 : quotient;
}

int64_t WallSeconds(const WallTime& wall) {
    return DaysFromDate(wall.year, wall.month, wall.day) * kSecondsPerDay + wall.hour * 3600 + wall.minute * 60 +
           wall.second;
}

bool KeepsOneTime(const TimeZone& zone) { return zone.toDaylight.month == 0 || zone.toStandard.month == 0; }

// The day of a change of clock in a year.
int64_t ChangeDay(int year, const ClockChange& change) {
    const int64_t first = DaysFromDate(year, change.month, 1);
    const int64_t last = first + DaysInMonth(year, change.month) - 1;
    int64_t day = first + (change.weekday - WeekdayOfDays(first) + 7) % 7 + (std::clamp(change.week, 1, 5) - 1) * 7;
    while (day > last) day -= 7;
    return day;
}

// The instant of a change, whose wall time is read with the bias in effect
// just before it.
UtcSeconds ChangeInstant(int year, const ClockChange& change, int biasBefore) {
    return ChangeDay(year, change) * kSecondsPerDay + change.hour * 3600 + change.minute * 60 + change.second +
           int64_t{biasBefore} * 60;
}

bool InDaylight(UtcSeconds instant, const TimeZone& zone) {
    if (KeepsOneTime(zone)) return false;
    const int year = DateFromDays(FloorDiv(instant - int64_t{zone.standardBias} * 60, kSecondsPerDay)).year;
    const UtcSeconds start = ChangeInstant(year, zone.toDaylight, zone.standardBias);
    const UtcSeconds end = ChangeInstant(year, zone.toStandard, zone.daylightBias);
    // South of the equator daylight time spans the turn of the year.
    return start < end ? instant >= start && instant < end : instant >= start || instant < end;
}

}  // namespace

int64_t DaysFromDate(int year, int month, int day) {
    // Counts from 1 March, so that the leap day ends a year.
    const int64_t y = static_cast<int64_t>(year) - (month <= 2 ? 1 : 0);
    const int64_t era = FloorDiv(y, 400);
    const int64_t yearOfEra = y - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

WallTime DateFromDays(int64_t days) {
    const int64_t z = days + 719468;
    const int64_t era = FloorDiv(z, 146097);
    const int64_t dayOfEra = z - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    WallTime date;
    date.day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    date.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

int WeekdayOfDays(int64_t days) {
    // 1970-01-01 was a Thursday.
    return static_cast<int>(((days + 4) % 7 + 7) % 7);
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

WallTime ToWallTime(UtcSeconds instant, const TimeZone& zone) {
    const int bias = InDaylight(instant, zone) ? zone.daylightBias : zone.standardBias;
    const int64_t wall = instant - int64_t{bias} * 60;
    const int64_t days = FloorDiv(wall, kSecondsPerDay);
    const int64_t seconds = wall - days * kSecondsPerDay;
    WallTime time = DateFromDays(days);
    time.hour = static_cast<int>(seconds / 3600);
    time.minute = static_cast<int>(seconds / 60 % 60);
    time.second = static_cast<int>(seconds % 60);
    return time;
}

UtcSeconds ToInstant(const WallTime& wall, const TimeZone& zone) {
    const int64_t seconds = WallSeconds(wall);
    const UtcSeconds asStandard = seconds + int64_t{zone.standardBias} * 60;
    if (KeepsOneTime(zone)) return asStandard;
    const UtcSeconds asDaylight = seconds + int64_t{zone.daylightBias} * 60;
    const bool standardFits = !InDaylight(asStandard, zone);
    const bool daylightFits = InDaylight(asDaylight, zone);
    if (standardFits && daylightFits) return std::min(asStandard, asDaylight);
    if (standardFits) return asStandard;
    if (daylightFits) return asDaylight;
    // Skipped: read with the bias before the change, which is the later one.
    return std::max(asStandard, asDaylight);
}

}  // namespace schedule
