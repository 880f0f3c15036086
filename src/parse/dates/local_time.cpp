#include "parse/dates/local_time.h"

#include <climits>
#include <ctime>
#include <optional>

#include "parse/dates/calendar.h"

namespace tarsel {
namespace {

constexpr int64_t kSecondsPerDay = 86400;
// Wider than any change of offset a zone has made (the largest skipped a whole day), so that a
// time this far from both sides of a change is never ambiguous.
constexpr int64_t kChangeMargin = 26 * 3600;

// The fields as seconds on a clock that never changes offset (the local wall clock read as UTC).
int64_t WallClockSeconds(const LocalFields& fields) {
  const int64_t months = static_cast<int64_t>(fields.month) - 1;
  const int64_t year = fields.year + FloorDiv(months, 12);
  const int64_t month = months - FloorDiv(months, 12) * 12;
  const int64_t days = DaysToMonthStart(year, month) + fields.day - 1;
  return days * kSecondsPerDay + static_cast<int64_t>(fields.hour) * 3600 +
         static_cast<int64_t>(fields.minute) * 60 + fields.second;
}

// The zone's offset east of UTC at `utc`. localtime_r uses the zone glibc has loaded and does
// not read it again.
std::optional<int64_t> OffsetAt(int64_t utc) {
  const std::time_t time = static_cast<std::time_t>(utc);
  std::tm broken{};
  if (localtime_r(&time, &broken) == nullptr) return std::nullopt;
  return broken.tm_gmtoff;
}

int32_t ThroughMktime(const LocalFields& fields) {
  std::tm broken{};
  // year and month are at least 0 (digits only), so these subtractions cannot overflow.
  broken.tm_year = fields.year - 1900;
  broken.tm_mon = fields.month - 1;
  broken.tm_mday = fields.day;
  broken.tm_hour = fields.hour;
  broken.tm_min = fields.minute;
  broken.tm_sec = fields.second;
  broken.tm_isdst = -1;
  const std::time_t seconds = std::mktime(&broken);
  if (seconds < 0 || seconds > INT32_MAX) return -1;
  return static_cast<int32_t>(seconds);
}

}  // namespace

int32_t LocalToTime(const LocalFields& fields) {
  const int64_t wall = WallClockSeconds(fields);
  // No offset brings a time this far out back into range.
  if (wall < -kChangeMargin || wall > INT32_MAX + kChangeMargin) return -1;
  const std::optional<int64_t> offset = OffsetAt(wall);
  if (!offset) return ThroughMktime(fields);
  const int64_t utc = wall - *offset;
  // One offset around the time: the wall clock time exists once, at `utc`. Near a change of
  // offset (a skipped or repeated hour) mktime's own choice stands.
  if (OffsetAt(utc) != offset || OffsetAt(utc - kChangeMargin) != offset ||
      OffsetAt(utc + kChangeMargin) != offset) {
    return ThroughMktime(fields);
  }
  if (utc < 0 || utc > INT32_MAX) return -1;
  return static_cast<int32_t>(utc);
}

}  // namespace tarsel
