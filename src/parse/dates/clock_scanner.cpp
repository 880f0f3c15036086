#include "parse/dates/clock_scanner.h"

#include "parse/dates/local_names.h"
#include "parse/dates/zone_reader.h"

namespace tarsel {
namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

// Moves a twelve-hour clock's hour onto the 24-hour one. False for hour 0 or past 12.
bool ApplyMeridiem(bool after_noon, DateFields& fields) {
  if (fields.hour < 1 || fields.hour > 12) return false;
  fields.hour = fields.hour % 12 + (after_noon ? 12 : 0);
  return true;
}

// A meridiem after the time. Without it a "PM" would read as an unknown zone name, twelve hours
// off; the words of other languages are not zones at all and would make the date unreadable.
bool ScanMeridiem(TextCursor& cursor, DateFields& fields, DateLanguage language) {
  const size_t start = cursor.position();
  cursor.SkipBlanks();
  const size_t word_start = cursor.position();
  const std::string_view word = cursor.TakeLetters();
  const bool am = word.size() == 2 && Lower(word[0]) == 'a' && Lower(word[1]) == 'm';
  const bool pm = word.size() == 2 && Lower(word[0]) == 'p' && Lower(word[1]) == 'm';
  if (am || pm) return ApplyMeridiem(pm, fields);
  cursor.set_position(word_start);
  const int local = TakeLocalMeridiem(cursor, language);
  if (local >= 0) return ApplyMeridiem(local == 1, fields);
  cursor.set_position(start);
  return true;
}

}  // namespace

bool ScanClockTime(TextCursor& cursor, DateFields& fields, DateLanguage language) {
  const std::string_view hour = cursor.TakeDigits();
  if (hour.empty() || hour.size() > 2 || !cursor.Take(':')) return false;
  const std::string_view minute = cursor.TakeDigits();
  if (minute.size() != 2) return false;
  fields.hour = static_cast<int>(DigitsValue(hour));
  fields.minute = static_cast<int>(DigitsValue(minute));
  if (!cursor.Take(':')) return ScanMeridiem(cursor, fields, language);
  const std::string_view second = cursor.TakeDigits();
  if (second.size() != 2) return false;
  fields.second = static_cast<int>(DigitsValue(second));
  return ScanMeridiem(cursor, fields, language);
}

bool ScanOptionalClockTime(TextCursor& cursor, DateFields& fields, DateLanguage language) {
  const size_t start = cursor.position();
  if (cursor.SkipBlanks() > 0) {
    const int meridiem = TakeLocalMeridiem(cursor, language);
    if (meridiem >= 0) {
      cursor.SkipBlanks();
      return ScanClockTime(cursor, fields, language) && ApplyMeridiem(meridiem == 1, fields);
    }
    if (TextCursor::IsDigit(cursor.Peek())) return ScanClockTime(cursor, fields, language);
  }
  cursor.set_position(start);
  return true;
}

bool ScanZoneAndEnd(TextCursor& cursor, DateFields& fields) {
  cursor.SkipBlanks();
  if (cursor.AtEnd() || cursor.Peek() == '(') return true;
  const ZoneReading zone = ReadZone(cursor);
  if (zone.kind != ZoneReading::Kind::kRead) return false;
  fields.utc_offset = zone.offset;
  fields.follows_us_summer_time = zone.follows_us_summer_time;
  return cursor.AtEnd() || TextCursor::IsBlank(cursor.Peek()) || cursor.Peek() == '(';
}

}  // namespace tarsel
