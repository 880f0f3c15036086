#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "parse/dates/date_language.h"

namespace tarsel {

// Date readers. Each takes any byte string and returns seconds since 1970-01-01 00:00 UTC.
// The Read* forms give the current time when no reader understands the text; the TryRead*
// forms give nullopt then. All are safe to call from any thread, and take time linear in the
// text.

// Feed dates. A date that names its zone is converted exactly; one without a zone is local
// time (daylight saving decided by the C runtime). Seconds count; fractions are dropped.
// A field out of range (month 13, day 0, Feb 30, hour 25, offset +99:99) makes the text
// unreadable. The result is clamped to what the store's 32-bit time holds: a date before 1970
// gives 0 (shown as no date, as the readers' -1 once was), one after 2038-01-19 03:14:07 UTC
// gives that second; it never wraps.
//
// The *InLanguage forms take the feed's date language (date_language.h): it adds the month,
// weekday and meridiem names of the language the feed declares, in the forms rfc822_scanner.h and
// year_first_scanner.h list; without one, or for a name of another language, only the English names
// are read.
//
// RSS pubDate: the mail forms first ("Mon, 05 Jan 2004 10:20:30 GMT", the weekday, the time
// and the zone optional; asctime; see rfc822_scanner.h), then the ISO forms.
int32_t ReadRfc822Date(std::string_view text);
std::optional<int32_t> TryReadRfc822Date(std::string_view text);
int32_t ReadRfc822DateInLanguage(std::string_view text, DateLanguage language);
std::optional<int32_t> TryReadRfc822DateInLanguage(std::string_view text, DateLanguage language);

// dc:date and Atom: the ISO 8601 / RFC 3339 forms first ("2004-01-05T10:20:30Z" at any
// precision, basic or extended, ordinal; see iso_scanner.h), then the mail forms.
int32_t ReadIsoDate(std::string_view text);
std::optional<int32_t> TryReadIsoDate(std::string_view text);
int32_t ReadIsoDateInLanguage(std::string_view text, DateLanguage language);
std::optional<int32_t> TryReadIsoDateInLanguage(std::string_view text, DateLanguage language);

// Dates that old column stores keep as text, read exactly as they always were (see
// stored_date_reader.h): the bracket form "[2004.01.05 10:20]", else "2004-01-05T10:20", else
// "Mon, 05 Jan 2004 10:20:30 ", all as local time with seconds and zones ignored and fields out
// of range carried over; a date the 32-bit time cannot hold gives -1.
int32_t ReadStoredDate(std::string_view text);
std::optional<int32_t> TryReadStoredDate(std::string_view text);

}  // namespace tarsel
