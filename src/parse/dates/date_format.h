#pragma once

#include <cstdint>
#include <string>

namespace tarsel {

// Fixed date and time texts. Times are seconds since 1970-01-01 00:00 UTC shown as local time;
// the texts are plain ASCII. Safe to call from any thread.

// Written for a missing time (zero or negative).
inline constexpr char kNoDateText[] = "not define";

// Styles of FormatDate (yy is the year modulo 100; hours on the 12-hour clock carry AM/PM):
//   0 "MM/DD/yy"  1 "DD/MM/yy"  2 "yy/MM/DD"  3 "MM/DD/YYYY"  4 "DD/MM/YYYY"  5 "YYYY/MM/DD"
//   6 "hh:mm:ss"  7 "hh:mm:ss AM"  8 style 0 + ' ' + style 6  9 style 3 + ' ' + style 7
// Style 9 is the form stored in settings and old column stores.
// A time of zero or less gives kNoDateText; an unknown style gives an empty string.
std::string FormatDate(int32_t time, int style);

// A span of seconds as hours:minutes:seconds. Style 6: "%02d:%02d:%02d" (hours may run past
// two digits); style 7: the same on the 12-hour clock with " AM"/" PM". Other styles give "".
std::string FormatDuration(int32_t seconds, int style);

// "[2004.01.05 09:07]": year, month, day, hour, minute of the local time, the bracket form that
// ReadStoredDate reads back.
std::string FormatRecordStamp(int32_t time);

}  // namespace tarsel
