#pragma once

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
};

// Reads "Z", "+hh:mm", "+hhmm", "+hh" (or '-'), or a name: UT, UTC, GMT (each may carry an
// offset after it, "GMT+01:00"), the North American and a few European names. Any other run of
// letters reads as UTC, as mail does with a zone it does not know. The military letters other
// than Z also read as UTC: RFC 822 gave them the wrong signs, so no writer's meaning can be told.
// The cursor moves past the zone when one is read.
ZoneReading ReadZone(TextCursor& cursor);

}  // namespace tarsel
