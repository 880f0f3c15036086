#pragma once

#include <optional>
#include <string_view>

#include "parse/dates/date_fields.h"

namespace tarsel {

// ISO 8601 dates as the W3C note and RFC 3339 profile them, at every precision:
//   "2004", "2004-01", "2004-01-05", "2004-365" (ordinal), "20040105", "2004365";
//   then optionally 'T' (either case) or a blank and a time: "10:20", "10:20:30", "1020",
//   "102030", "10", each with an optional fraction ('.' or ',' and digits; dropped);
//   then optionally a zone: 'Z' (either case), "+hh:mm", "+hhmm", "+hh" or a name as mail dates
//   write them, with or without a blank before it.
// Years have four digits. Blanks around the date are allowed, nothing else.
// nullopt when the text is not in these forms; the fields are not range-checked.
std::optional<DateFields> ScanIsoDate(std::string_view text);

}  // namespace tarsel
