#include "parse/dates/rfc822_scanner.h"

#include <array>

#include "parse/dates/calendar.h"
#include "parse/dates/clock_scanner.h"
#include "parse/dates/local_names.h"
#include "parse/dates/text_cursor.h"
#include "parse/dates/zone_reader.h"

namespace tarsel {
namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {
    "january", "february", "march",     "april",   "may",      "june",
    "july",    "august",   "september", "october", "november", "december"};

constexpr std::array<std::string_view, 7> kWeekdayNames = {
    "sunday", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday"};

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

// The index in `names` of the English name `name` is, or starts with three letters or more
// ("Sep", "Sept", "September"), in any case; -1 otherwise.
template <size_t kCount>
int IndexOfName(std::string_view name, const std::array<std::string_view, kCount>& names) {
  if (name.size() < 3) return -1;
  for (size_t n = 0; n < names.size(); ++n) {
    const std::string_view full = names[n];
    if (name.size() > full.size()) continue;
    size_t i = 0;
    while (i < name.size() && Lower(name[i]) == full[i]) ++i;
    if (i == name.size()) return static_cast<int>(n);
  }
  return -1;
}

// 1 to 12 for a month's name; 0 otherwise.
int MonthFromName(std::string_view name) {
  return IndexOfName(name, kMonthNames) + 1;
}

// 1 to 12 for the month named at the cursor in the feed's language, else in English; 0
// otherwise. A language's names come first: they may end in an abbreviation's point ("dec.").
int TakeMonth(TextCursor& cursor, DateLanguage language) {
  if (const int month = TakeLocalMonth(cursor, language)) return month;
  return MonthFromName(cursor.TakeLetters());
}

// 0 (Sunday) to 6 for the weekday the text starts with; -1 when it starts with none.
int LeadingWeekday(std::string_view text, DateLanguage language) {
  TextCursor cursor(text);
  cursor.SkipBlanks();
  const int local = TakeLocalWeekday(cursor, language);
  return local >= 0 ? local : IndexOfName(cursor.TakeLetters(), kWeekdayNames);
}

int WeekdayOf(int64_t year, int month, int day) {
  const int64_t days = DaysToMonthStart(year, month - 1) + day - 1;
  return static_cast<int>(((days + 4) % 7 + 7) % 7);  // 1970-01-01 was a Thursday
}

int64_t YearFromDigits(std::string_view digits) {
  const int64_t year = DigitsValue(digits);
  if (digits.size() == 2) return year < 50 ? year + 2000 : year + 1900;
  if (digits.size() == 3) return year + 1900;
  return year;
}

// Past the weekday: after the last comma ahead of the first digit, else past a leading word
// that is not a month ("Mon 05 Jan 2004", "Sun Nov  6 ...", "Τρί 03 Δεκ 2024").
void SkipWeekday(TextCursor& cursor, DateLanguage language) {
  const std::string_view text = cursor.text();
  size_t first_digit = 0;
  while (first_digit < text.size() && !TextCursor::IsDigit(text[first_digit])) ++first_digit;
  const size_t comma = text.substr(0, first_digit).rfind(',');
  if (comma != std::string_view::npos) {
    // A comma may follow the month too ("Jan, 05 2004"): the month then starts the date.
    size_t word = comma;
    while (word > 0 && TextCursor::IsLetter(text[word - 1])) --word;
    if (MonthFromName(text.substr(word, comma - word)) != 0) {
      cursor.set_position(word);
      return;
    }
    cursor.set_position(comma + 1);
    cursor.SkipBlanks();
    return;
  }
  cursor.SkipBlanks();
  const size_t start = cursor.position();
  if (TakeLocalWeekday(cursor, language) >= 0 && cursor.SkipBlanks() > 0) return;
  cursor.set_position(start);
  const std::string_view word = cursor.TakeLetters();
  if (word.empty() || MonthFromName(word) != 0 || cursor.SkipBlanks() == 0) {
    cursor.set_position(start);
  }
}

// Between day, month and year: blanks, or one dash.
bool TakeDateSeparator(TextCursor& cursor) {
  return cursor.Take('-') || cursor.SkipBlanks() > 0;
}

bool ScanYear(TextCursor& cursor, DateFields& fields) {
  const std::string_view year = cursor.TakeDigits();
  if (year.size() < 2) return false;
  fields.year = YearFromDigits(year);
  return true;
}

// "05 Jan 2004 10:20:30 GMT", the time and zone optional.
std::optional<DateFields> ScanDayFirst(TextCursor& cursor, DateLanguage language) {
  DateFields fields;
  const std::string_view day = cursor.TakeDigits();
  if (day.size() > 2 || !TakeDateSeparator(cursor)) return std::nullopt;
  fields.day = static_cast<int>(DigitsValue(day));
  fields.month = TakeMonth(cursor, language);
  cursor.Take(',');
  if (fields.month == 0 || !TakeDateSeparator(cursor)) return std::nullopt;
  if (!ScanYear(cursor, fields) || !ScanOptionalClockTime(cursor, fields, language) ||
      !ScanZoneAndEnd(cursor, fields)) {
    return std::nullopt;
  }
  return fields;
}

// asctime with a zone before the year, as date(1) and some sites' programming interfaces write
// it: "Wed Aug 27 13:08:45 +0000 2008", "Tue Dec  8 10:01:03 UTC 2026". Nothing taken when a
// digit follows the time.
bool ScanZoneBeforeYear(TextCursor& cursor, DateFields& fields) {
  if (TextCursor::IsDigit(cursor.Peek())) return true;
  const ZoneReading zone = ReadZone(cursor);
  if (zone.kind != ZoneReading::Kind::kRead || cursor.SkipBlanks() == 0) return false;
  fields.utc_offset = zone.offset;
  fields.follows_us_summer_time = zone.follows_us_summer_time;
  return true;
}

// "Nov  6 08:49:37 1994" (asctime), "Nov 6 1994 08:49:37" or "January 5, 2004", the time
// optional after the year, a zone optional at the end.
std::optional<DateFields> ScanMonthFirst(TextCursor& cursor, DateLanguage language) {
  DateFields fields;
  fields.month = TakeMonth(cursor, language);
  cursor.Take(',');
  if (fields.month == 0 || cursor.SkipBlanks() == 0) return std::nullopt;
  const std::string_view day = cursor.TakeDigits();
  cursor.Take(',');
  if (day.empty() || day.size() > 2 || cursor.SkipBlanks() == 0) return std::nullopt;
  fields.day = static_cast<int>(DigitsValue(day));
  const size_t start = cursor.position();
  cursor.TakeDigits();
  const bool time_first = cursor.Peek() == ':';
  cursor.set_position(start);
  const bool read =
      time_first ? ScanClockTime(cursor, fields, language) && cursor.SkipBlanks() > 0 &&
                       ScanZoneBeforeYear(cursor, fields) && ScanYear(cursor, fields)
                 : ScanYear(cursor, fields) && ScanOptionalClockTime(cursor, fields, language);
  if (!read || !ScanZoneAndEnd(cursor, fields)) return std::nullopt;
  return fields;
}

// Day and month of a slash date whose first two numbers are `a` and `b`: the order their ranges
// allow; when both do, the one the written weekday (-1: none) confirms. Never a guess.
bool ChooseDayAndMonth(int64_t a, int64_t b, int weekday, DateFields& fields) {
  auto fits = [&fields](int64_t month, int64_t day) {
    return month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(fields.year, static_cast<int>(month));
  };
  bool month_first = fits(a, b);
  const bool day_first = fits(b, a);
  if (month_first && day_first && a != b) {
    const int us = WeekdayOf(fields.year, static_cast<int>(a), static_cast<int>(b));
    const int european = WeekdayOf(fields.year, static_cast<int>(b), static_cast<int>(a));
    if (weekday < 0 || (us == weekday) == (european == weekday)) return false;
    month_first = us == weekday;
  } else if (!month_first && !day_first) {
    return false;
  }
  fields.month = static_cast<int>(month_first ? a : b);
  fields.day = static_cast<int>(month_first ? b : a);
  return true;
}

// "05/15/2012" (month first, as a popular web publishing system writes its dates),
// "15/05/2012" or "2012/05/15", then maybe " - " and a time, and a zone.
std::optional<DateFields> ScanSlashDate(TextCursor& cursor, int weekday, DateLanguage language) {
  DateFields fields;
  const std::string_view first = cursor.TakeDigits();
  if (!cursor.Take('/')) return std::nullopt;
  const std::string_view second = cursor.TakeDigits();
  if (second.empty() || second.size() > 2 || !cursor.Take('/')) return std::nullopt;
  if (first.size() == 4) {
    const std::string_view day = cursor.TakeDigits();
    if (day.empty() || day.size() > 2) return std::nullopt;
    fields.year = DigitsValue(first);
    fields.month = static_cast<int>(DigitsValue(second));
    fields.day = static_cast<int>(DigitsValue(day));
  } else if (first.empty() || first.size() > 2 || !ScanYear(cursor, fields) ||
             !ChooseDayAndMonth(DigitsValue(first), DigitsValue(second), weekday, fields)) {
    return std::nullopt;
  }
  const size_t after_date = cursor.position();
  cursor.SkipBlanks();
  if (!cursor.Take('-')) cursor.set_position(after_date);
  if (!ScanOptionalClockTime(cursor, fields, language) || !ScanZoneAndEnd(cursor, fields)) {
    return std::nullopt;
  }
  return fields;
}

bool StartsWithSlashDate(TextCursor cursor) {
  return !cursor.TakeDigits().empty() && cursor.Peek() == '/';
}

}  // namespace

std::optional<DateFields> ScanRfc822Date(std::string_view text, DateLanguage language) {
  TextCursor cursor(text);
  SkipWeekday(cursor, language);
  if (StartsWithSlashDate(cursor)) {
    return ScanSlashDate(cursor, LeadingWeekday(text, language), language);
  }
  if (TextCursor::IsDigit(cursor.Peek())) return ScanDayFirst(cursor, language);
  return ScanMonthFirst(cursor, language);
}

}  // namespace tarsel
