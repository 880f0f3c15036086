#include "parse/dates/date_fields.h"

#include <cstdint>

#include "parse/dates/calendar.h"
#include "parse/dates/local_time.h"
#include "parse/dates/zone_reader.h"

namespace tarsel {
namespace {

constexpr int64_t kLatest = INT32_MAX;
// Years wholly before or after what a 32-bit time holds, in every zone.
constexpr int64_t kFirstYearInRange = 1969;
constexpr int64_t kLastYearInRange = 2038;
constexpr int kLargestOffset = 23 * 3600 + 59 * 60;

bool InRange(const DateFields& f) {
  if (f.month < 1 || f.month > 12) return false;
  if (f.day < 1 || f.day > DaysInMonth(f.year, f.month)) return false;
  if (f.minute < 0 || f.minute > 59 || f.second < 0 || f.second > 60) return false;
  if (f.hour == 24) return f.minute == 0 && f.second == 0;
  if (f.hour < 0 || f.hour > 23) return false;
  return !f.utc_offset || (*f.utc_offset >= -kLargestOffset && *f.utc_offset <= kLargestOffset);
}

int32_t Clamp(int64_t seconds) {
  if (seconds < 0) return 0;
  return static_cast<int32_t>(seconds > kLatest ? kLatest : seconds);
}

int32_t ZonedToTime(const DateFields& f) {
  const int64_t days = DaysToMonthStart(f.year, f.month - 1) + f.day - 1;
  const int64_t seconds = days * 86400 + f.hour * 3600 + f.minute * 60 + f.second;
  int offset = *f.utc_offset;
  if (f.follows_us_summer_time && IsUsSummerTime(f.year, f.month, f.day, f.hour)) offset += 3600;
  return Clamp(seconds - offset);
}

int32_t LocalDateToTime(const DateFields& f) {
  const LocalFields local{static_cast<int>(f.year), f.month, f.day, f.hour, f.minute, f.second};
  const int32_t time = LocalToTime(local);
  // LocalToTime cannot hold this instant; the year tells on which side it fell.
  if (time == -1) return f.year >= kLastYearInRange ? INT32_MAX : 0;
  return time;
}

}  // namespace

std::optional<int32_t> DateFieldsToTime(const DateFields& fields) {
  if (!InRange(fields)) return std::nullopt;
  if (fields.year < kFirstYearInRange) return 0;
  if (fields.year > kLastYearInRange) return INT32_MAX;
  return fields.utc_offset ? ZonedToTime(fields) : LocalDateToTime(fields);
}

}  // namespace tarsel
