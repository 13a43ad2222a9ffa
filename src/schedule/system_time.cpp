#include "schedule/system_time.h"

namespace schedule {

namespace {

ClockChange ChangeOf(const SYSTEMTIME& date) {
    ClockChange change;
    change.month = date.wMonth;
    // A change for one year only gives the day of the month: its week.
    change.week = date.wYear == 0 ? date.wDay : (date.wDay - 1) / 7 + 1;
    change.weekday = date.wDayOfWeek;
    change.hour = date.wHour;
    change.minute = date.wMinute;
    change.second = date.wSecond;
    return change;
}

}  // namespace

TimeZone ZoneOf(const TIME_ZONE_INFORMATION& info) {
    TimeZone zone;
    zone.standardBias = static_cast<int>(info.Bias + info.StandardBias);
    zone.daylightBias = static_cast<int>(info.Bias + info.DaylightBias);
    if (info.StandardDate.wMonth != 0 && info.DaylightDate.wMonth != 0) {
        zone.toDaylight = ChangeOf(info.DaylightDate);
        zone.toStandard = ChangeOf(info.StandardDate);
    }
    return zone;
}

TimeZone CurrentTimeZone() {
    TIME_ZONE_INFORMATION info{};
    if (::GetTimeZoneInformation(&info) == TIME_ZONE_ID_INVALID) return {};
    return ZoneOf(info);
}

UtcSeconds UtcNow() {
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER ticks{{now.dwLowDateTime, now.dwHighDateTime}};
    // 100-nanosecond ticks since 1601-01-01; 11644473600 seconds before 1970.
    return static_cast<UtcSeconds>(ticks.QuadPart / 10000000ull) - 11644473600ll;
}

}  // namespace schedule
