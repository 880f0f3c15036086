#pragma once

#include <optional>
#include <string_view>

#include "parse/dates/date_fields.h"

namespace tarsel {

// ISO 8601 dates as the W3C note and RFC 3339 profile them, at every precision:
//   "2004", "2004-01", "2004-01-05", "2004-365" (ordinal), "20040105", "2004365";
//   with a two-digit year (00 to 49 in this century, 50 to 99 in the last): "04-01-05",
//   "040105", "04-005", "04005";
//   truncated, the missing parts being today's in UTC: "-0401", "-04-01", "-04" (a year),
//   "-005" (a day of this year), "--0105", "--01-05" and "---05";
//   then optionally 'T' (either case) or a blank and a time: "10:20", "10:20:30", "1020",
//   "102030", "10", each with an optional fraction ('.' or ',' and digits; dropped);
//   then optionally a zone: 'Z' (either case), "+hh:mm", "+hhmm", "+hh" or a name as mail dates
//   write them, with or without a blank before it.
// Blanks around the date are allowed, nothing else.
// nullopt when the text is not in these forms; the fields are not range-checked.
std::optional<DateFields> ScanIsoDate(std::string_view text);

}  // namespace tarsel
