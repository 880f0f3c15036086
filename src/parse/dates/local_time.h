#pragma once

#include <cstdint>

namespace tarsel {

// A date and time of day read as local time. Fields out of range carry over as mktime carries
// them ("month 13" is January of the next year, "day 0" the last day of the month before).
struct LocalFields {
  int year = 0;
  int month = 0;  // 1 to 12; other values carry over
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Seconds since 1970-01-01 00:00 UTC for `fields` in the process's time zone, as mktime gives
// them with daylight saving left to the C runtime; -1 when a 32-bit time cannot hold them.
// mktime reads the zone again on every call (glibc checks /etc/localtime each time); this asks
// the zone already loaded for its offset instead, and only a time within a day of a change of
// offset goes through mktime. A program that changes TZ calls tzset(), as it must anyway.
// Any thread.
int32_t LocalToTime(const LocalFields& fields);

}  // namespace tarsel
