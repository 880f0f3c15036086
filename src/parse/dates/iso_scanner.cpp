#include "parse/dates/iso_scanner.h"

#include "parse/dates/calendar.h"
#include "parse/dates/text_cursor.h"
#include "parse/dates/zone_reader.h"

namespace tarsel {
namespace {

int Number(std::string_view digits) {
  return static_cast<int>(DigitsValue(digits));
}

// Month and day of an ordinal day; false when the year has no such day.
bool FromOrdinal(int64_t year, int ordinal, DateFields& fields) {
  if (ordinal < 1) return false;
  for (int month = 1; month <= 12; ++month) {
    const int days = DaysInMonth(year, month);
    if (ordinal <= days) {
      fields.month = month;
      fields.day = ordinal;
      return true;
    }
    ordinal -= days;
  }
  return false;
}

// After "YYYY-": "MM", "MM-DD" or "DDD".
bool ScanExtendedDate(TextCursor& cursor, DateFields& fields) {
  const std::string_view first = cursor.TakeDigits();
  if (first.size() == 3) return FromOrdinal(fields.year, Number(first), fields);
  if (first.size() != 2) return false;
  fields.month = Number(first);
  if (!cursor.Take('-')) return true;
  const std::string_view day = cursor.TakeDigits();
  if (day.size() != 2) return false;
  fields.day = Number(day);
  return true;
}

// The date part; the digit run at the start tells the form apart.
bool ScanDate(TextCursor& cursor, DateFields& fields) {
  const std::string_view digits = cursor.TakeDigits();
  if (digits.size() != 4 && digits.size() != 7 && digits.size() != 8) return false;
  fields.year = DigitsValue(digits.substr(0, 4));
  if (digits.size() == 7) return FromOrdinal(fields.year, Number(digits.substr(4)), fields);
  if (digits.size() == 8) {
    fields.month = Number(digits.substr(4, 2));
    fields.day = Number(digits.substr(6, 2));
    return true;
  }
  return !cursor.Take('-') || ScanExtendedDate(cursor, fields);
}

// A fraction of the last unit given; a time stamp keeps whole seconds, so it is dropped.
void SkipFraction(TextCursor& cursor) {
  const size_t start = cursor.position();
  if ((cursor.Take('.') || cursor.Take(',')) && cursor.TakeDigits().empty()) {
    cursor.set_position(start);
  }
}

// "hh", "hh:mm", "hh:mm:ss" or the same without colons.
bool ScanTime(TextCursor& cursor, DateFields& fields) {
  const std::string_view run = cursor.TakeDigits();
  if (run.size() == 4 || run.size() == 6) {
    fields.hour = Number(run.substr(0, 2));
    fields.minute = Number(run.substr(2, 2));
    if (run.size() == 6) fields.second = Number(run.substr(4, 2));
  } else if (run.size() == 2) {
    fields.hour = Number(run);
    if (cursor.Take(':')) {
      const std::string_view minute = cursor.TakeDigits();
      if (minute.size() != 2) return false;
      fields.minute = Number(minute);
      if (cursor.Take(':')) {
        const std::string_view second = cursor.TakeDigits();
        if (second.size() != 2) return false;
        fields.second = Number(second);
      }
    }
  } else {
    return false;
  }
  SkipFraction(cursor);
  return true;
}

// 'T' or blanks, then a time; true (nothing taken) when no time follows the date.
bool ScanOptionalTime(TextCursor& cursor, DateFields& fields, bool& has_time) {
  const size_t start = cursor.position();
  has_time = cursor.Take('T') || cursor.Take('t') ||
             (cursor.SkipBlanks() > 0 && TextCursor::IsDigit(cursor.Peek()));
  if (!has_time) {
    cursor.set_position(start);
    return true;
  }
  return ScanTime(cursor, fields);
}

}  // namespace

std::optional<DateFields> ScanIsoDate(std::string_view text) {
  TextCursor cursor(text);
  cursor.SkipBlanks();
  DateFields fields;
  bool has_time = false;
  if (!ScanDate(cursor, fields) || !ScanOptionalTime(cursor, fields, has_time)) {
    return std::nullopt;
  }
  if (has_time) {
    cursor.SkipBlanks();
    const ZoneReading zone = ReadZone(cursor);
    if (zone.kind == ZoneReading::Kind::kInvalid) return std::nullopt;
    if (zone.kind == ZoneReading::Kind::kRead) fields.utc_offset = zone.offset;
  }
  cursor.SkipBlanks();
  if (!cursor.AtEnd()) return std::nullopt;
  return fields;
}

}  // namespace tarsel
