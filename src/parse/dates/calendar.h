#pragma once

#include <cstdint>

namespace tarsel {

// The proleptic Gregorian calendar, on 64-bit numbers so that any year a text can spell (once
// saturated by the reader) stays in range.

constexpr int64_t FloorDiv(int64_t a, int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

constexpr bool IsLeapYear(int64_t year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// 28 to 31; `month` 1 to 12.
constexpr int DaysInMonth(int64_t year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to year-month-01; `month0` 0-based and within 0 to 11.
constexpr int64_t DaysToMonthStart(int64_t year, int64_t month0) {
  const int64_t y = month0 < 2 ? year - 1 : year;
  const int64_t era = FloorDiv(y, 400);
  const int64_t year_of_era = y - era * 400;
  const int64_t shifted_month = month0 < 2 ? month0 + 10 : month0 - 2;  // March is 0
  const int64_t day_of_year = (153 * shifted_month + 2) / 5;
  const int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

}  // namespace tarsel
