#pragma once
// The system's clock and time zone, as the schedule's arithmetic takes them.
#include <windows.h>

#include "schedule/zone_time.h"

namespace schedule {

// The zone the system describes (UTC = local time + bias, in minutes; the
// changes of clock in their recurring form, a change given for one year
// only taken as recurring).
TimeZone ZoneOf(const TIME_ZONE_INFORMATION& info);

TimeZone CurrentTimeZone();
UtcSeconds UtcNow();

}  // namespace schedule
