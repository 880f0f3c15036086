#pragma once

#include "parse/dates/date_fields.h"
#include "parse/dates/date_language.h"
#include "parse/dates/text_cursor.h"

namespace tarsel {

// The time of day and the zone that end the mail date forms and the named forms of other
// languages. Each fills `fields` and moves the cursor past what it read; false when the text
// there is malformed (an hour of three digits, a meridiem after hour 0 or 13).

// "hh:mm" or "hh:mm:ss", the hour in one or two digits, maybe followed by AM or PM in any case
// or by a meridiem word of `language`: the hour is then on the twelve-hour clock.
bool ScanClockTime(TextCursor& cursor, DateFields& fields, DateLanguage language);

// Blanks and a time, which a meridiem word of `language` may precede ("오후 10:00"); true with
// nothing taken when no time follows.
bool ScanOptionalClockTime(TextCursor& cursor, DateFields& fields, DateLanguage language);

// Blanks, an optional zone, then the end or a blank or '(' before anything else.
bool ScanZoneAndEnd(TextCursor& cursor, DateFields& fields);

}  // namespace tarsel
