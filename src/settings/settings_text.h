#pragma once

// The value forms of settings.xml. Bytes in the program's code page; any thread.

#include <cstdint>
#include <string>
#include <string_view>

namespace tarsel {

// The encoding of the proxy credentials: bytes from ' ' to '~' stay, except '%', '^', '_' and
// '`'; every other byte becomes '%' and two upper-case hexadecimal digits. The blank, the
// single quote, '<', '>' and '&' stay as they are.
std::string PercentEncode(std::string_view text);

// The reverse: '%' and the next two bytes become one byte. A digit byte counts as its value
// minus '0' and 'A' to 'Z' count from 10 upward (so "%2a" is not "*"); the byte is kept to eight
// bits. A '%' without two bytes after it is copied as it is.
std::string PercentDecode(std::string_view text);

// The update period as seconds: either pairs of number and unit separated by blanks
// ("2 HR 5 min 30 sec"; units compared without case, unknown units ignored) or
// "hours:minutes:seconds" ("01:30:00"). Anything else gives 0. Clamped to 32 bits.
int32_t ReadDuration(std::string_view text);

// A decimal integer read as atoi reads it (leading white space, sign, digits; 0 when there are
// none), clamped to the 32-bit range instead of overflowing.
int32_t ReadLeadingInt(std::string_view text);

// The stored date "MM/DD/YYYY hh:mm:ss AM" (12-hour clock; "PM"/"pm" adds 12 hours) as seconds,
// converted as local time with fields out of range carried over. Fewer than seven pieces (such
// as "not define") or a date beyond the 32-bit range give -1.
int32_t ReadSettingsDate(std::string_view text);

}  // namespace tarsel
