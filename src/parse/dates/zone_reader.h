#pragma once

#include <cstdint>
#include <optional>

#include "parse/dates/text_cursor.h"

namespace tarsel {

// What stands at the cursor where a date may name its zone.
struct ZoneReading {
  enum class Kind {
    kAbsent,   // nothing that looks like a zone: the date is local time
    kRead,     // a zone, `offset` seconds east of UTC
    kInvalid,  // a zone out of range ("+99:99") or cut short ("+"): the date is unreadable
  };
  Kind kind = Kind::kAbsent;
  int offset = 0;
  // A North American name written without S or D ("ET", "PT"): `offset` is the zone's standard
  // time, and the date itself tells whether summer time was in force (IsUsSummerTime).
  bool follows_us_summer_time = false;
};

// Reads "Z", "+hh:mm", "+hhmm", "+hh" (or '-'), or a name: UT, UTC, GMT (each may carry an
// offset after it, "GMT+01:00"), the tz database's "Etc/GMT", "Etc/UTC" and "Etc/GMT-3" (whose
// sign, as POSIX writes it, is west of UTC), the North American names with and without S or D,
// and a few European ones (the Central European ones in English and German). Any other run of
// letters reads as UTC, as mail does with a zone it does not know. The military letters other
// than Z also read as UTC: RFC 822 gave them the wrong signs, so no writer's meaning can be told.
// The cursor moves past the zone when one is read.
ZoneReading ReadZone(TextCursor& cursor);

// Whether a clock time in a North American zone's standard time falls in summer time as the
// United States keep it: from the second Sunday of March at 2:00 to the first Sunday of November
// at 2:00 summer time since 2007, from the first Sunday of April to the last Sunday of October
// from 1987, and from the last Sunday of April before.
bool IsUsSummerTime(int64_t year, int month, int day, int hour);

}  // namespace tarsel
