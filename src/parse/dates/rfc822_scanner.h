#pragma once

#include <optional>
#include <string_view>

#include "parse/dates/date_fields.h"
#include "parse/dates/date_language.h"

namespace tarsel {

// The mail and HTTP date forms, as feeds write them:
//   "Mon, 05 Jan 2004 10:20:30 GMT" (RFC 822, 1123, 2822): the weekday and its comma, the
//   seconds, the time and the zone optional; any number of blanks; full or short month names
//   in any case; AM or PM after the time;
//   "Sunday, 06-Nov-94 08:49:37 GMT" (dashes, as RFC 850 writes it);
//   "Sun Nov  6 08:49:37 1994" (the C library's asctime), also with a zone before the year
//   ("Wed Aug 27 13:08:45 +0000 2008"), "Nov 6 1994 08:49:37" and "January 5, 2004";
//   a comma may follow the month ("05 Jan, 2004", "Jan, 05 2004");
//   "Tue, 05/15/2012 - 14:30" and "15/05/2012", "2012/05/15": day and month in the order their
//   ranges allow, and when both orders fit, the one the weekday before the date confirms (none
//   without a weekday).
// Years of two digits follow RFC 2822: 00 to 49 are 2000 to 2049, 50 to 99 are 1950 to 1999;
// three digits count from 1900 (a year printed as tm_year, "104" for 2004).
// Text before the last comma ahead of the day is skipped ("posted, Mon, 05 Jan ..."); after the
// date and its zone a blank or '(' may start anything ("+0000 (UTC)").
// With a language (see date_language.h) its month and weekday names stand where the English ones
// may ("Τρί, 03 Δεκ 2024", "kedd, 03 dec. 2024", "화, 03 12월 2024"), and its meridiem words
// after the time or before it ("오후 10:00").
// nullopt when the text is not in these forms; the fields are not range-checked.
std::optional<DateFields> ScanRfc822Date(std::string_view text, DateLanguage language = {});

}  // namespace tarsel
