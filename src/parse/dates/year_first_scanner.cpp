#include "parse/dates/year_first_scanner.h"

#include "parse/dates/clock_scanner.h"
#include "parse/dates/local_names.h"
#include "parse/dates/text_cursor.h"

namespace tarsel {
namespace {

bool TakeMark(TextCursor& cursor, std::string_view mark) {
  if (cursor.text().substr(cursor.position()).substr(0, mark.size()) != mark) return false;
  cursor.set_position(cursor.position() + mark.size());
  return true;
}

// "2024. december 3." or "2024년 12월 3일": year, month and day, blanks between them optional.
bool ScanNamedDate(TextCursor& cursor, const DateNames& names, DateLanguage language,
                   DateFields& fields) {
  const std::string_view year = cursor.TakeDigits();
  if (year.size() != 4 || !TakeMark(cursor, names.year_mark)) return false;
  fields.year = DigitsValue(year);
  cursor.SkipBlanks();
  fields.month = TakeLocalMonth(cursor, language);
  cursor.SkipBlanks();
  const std::string_view day = cursor.TakeDigits();
  if (fields.month == 0 || day.empty() || day.size() > 2) return false;
  fields.day = static_cast<int>(DigitsValue(day));
  return TakeMark(cursor, names.day_mark);
}

// ", kedd" or " (화)" after the day; nothing taken when no weekday is there.
void SkipWeekdayAfterDay(TextCursor& cursor, DateLanguage language) {
  const size_t start = cursor.position();
  cursor.Take(',');
  cursor.SkipBlanks();
  const bool parenthesized = cursor.Take('(');
  if (TakeLocalWeekday(cursor, language) >= 0 && (!parenthesized || cursor.Take(')'))) return;
  cursor.set_position(start);
}

}  // namespace

std::optional<DateFields> ScanYearFirstDate(std::string_view text, DateLanguage language) {
  if (language.names == nullptr || language.names->year_mark.empty()) return std::nullopt;
  TextCursor cursor(text);
  cursor.SkipBlanks();
  DateFields fields;
  if (!ScanNamedDate(cursor, *language.names, language, fields)) return std::nullopt;
  SkipWeekdayAfterDay(cursor, language);
  if (!ScanOptionalClockTime(cursor, fields, language) || !ScanZoneAndEnd(cursor, fields)) {
    return std::nullopt;
  }
  return fields;
}

}  // namespace tarsel
