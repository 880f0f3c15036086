#pragma once

#include "parse/dates/date_language.h"
#include "parse/dates/text_cursor.h"

namespace tarsel {

// Reading the names of a feed's language (DateLanguage) at a date scanner's cursor. Each takes
// the longest spelling its table lists that stands at the cursor as a whole word (no letter
// follows it), then a point right after it (an abbreviation's); with no language, or no name
// there, the cursor stays and the result says so. Time linear in the table, not in the text.

// 1 to 12; 0 when no month's name is there.
int TakeLocalMonth(TextCursor& cursor, DateLanguage language);

// 0 (Sunday) to 6; -1 when no weekday's name is there.
int TakeLocalWeekday(TextCursor& cursor, DateLanguage language);

// 0 before noon, 1 after noon; -1 when no meridiem word is there.
int TakeLocalMeridiem(TextCursor& cursor, DateLanguage language);

}  // namespace tarsel
