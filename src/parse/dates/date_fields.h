#pragma once

#include <cstdint>
#include <optional>

namespace tarsel {

// A date as a scanner read it, before any range check.
struct DateFields {
  int64_t year = 0;  // as written, saturated (see DigitsValue)
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  // Seconds east of UTC when the text named a zone; without one the date is local time.
  std::optional<int> utc_offset;
  // The zone was a North American name without S or D: utc_offset is its standard time, an hour
  // less west when the date falls in the United States' summer time.
  bool follows_us_summer_time = false;
};

// Seconds since 1970-01-01 00:00 UTC, or nullopt when a field is out of range (month 13, day 0
// or past the month's end, hour 25, minute or offset minute 60, offset beyond 23:59). A second
// of 60 (a leap second) and 24:00:00 (the end of the day) carry into what follows them.
// A zoned date is converted by calendar arithmetic alone; a date without a zone is local time
// as LocalToTime reads it. The result is clamped to what the store's 32-bit time holds:
// anything before 1970 gives 0, anything after 2038-01-19 03:14:07 UTC gives that second.
std::optional<int32_t> DateFieldsToTime(const DateFields& fields);

}  // namespace tarsel
