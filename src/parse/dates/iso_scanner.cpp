#include "parse/dates/iso_scanner.h"

#include <ctime>

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

// Two digits of a year, as the mail forms read them: 00 to 49 are 2000 to 2049, the rest 1950 to
// 1999.
int64_t YearOfCentury(std::string_view digits) {
  const int64_t year = DigitsValue(digits);
  return year < 50 ? year + 2000 : year + 1900;
}

struct Today {
  int64_t year;
  int month;
};

Today TodayInUtc() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  gmtime_r(&now, &parts);
  return {parts.tm_year + 1900, parts.tm_mon + 1};
}

// Two digits, then maybe '-' and two more: "MMDD" or "MM-DD" (a run of four is taken whole).
bool ScanMonthAndDay(TextCursor& cursor, DateFields& fields) {
  std::string_view month = cursor.TakeDigits();
  std::string_view day;
  if (month.size() == 4) {
    day = month.substr(2);
    month = month.substr(0, 2);
  } else if (month.size() == 2 && cursor.Take('-')) {
    day = cursor.TakeDigits();
  }
  if (month.size() != 2 || day.size() != 2) return false;
  fields.month = Number(month);
  fields.day = Number(day);
  return true;
}

// The truncated forms, whose missing parts are today's in UTC: "-YYMM", "-YY-MM", "-YY",
// "-DDD" (a day of this year), "--MMDD", "--MM-DD" and "---DD".
bool ScanTruncatedDate(TextCursor& cursor, DateFields& fields) {
  const Today today = TodayInUtc();
  fields.year = today.year;
  cursor.Take('-');
  if (cursor.Take('-')) {
    if (!cursor.Take('-')) return ScanMonthAndDay(cursor, fields);
    fields.month = today.month;
    const std::string_view day = cursor.TakeDigits();
    fields.day = Number(day);
    return day.size() == 2;
  }
  const std::string_view run = cursor.TakeDigits();
  if (run.size() == 3) return FromOrdinal(today.year, Number(run), fields);
  if (run.size() != 2 && run.size() != 4) return false;
  fields.year = YearOfCentury(run.substr(0, 2));
  if (run.size() == 4) {
    fields.month = Number(run.substr(2));
    return true;
  }
  if (!cursor.Take('-')) return true;
  const std::string_view month = cursor.TakeDigits();
  fields.month = Number(month);
  return month.size() == 2;
}

// The date part; the digit run at the start tells the form apart.
bool ScanDate(TextCursor& cursor, DateFields& fields) {
  if (cursor.Peek() == '-') return ScanTruncatedDate(cursor, fields);
  const std::string_view digits = cursor.TakeDigits();
  switch (digits.size()) {
    case 2:  // "YY-MM-DD", "YY-DDD"
      fields.year = YearOfCentury(digits);
      return cursor.Take('-') && ScanExtendedDate(cursor, fields);
    case 4:
      fields.year = DigitsValue(digits);
      return !cursor.Take('-') || ScanExtendedDate(cursor, fields);
    case 5:  // "YYDDD"
      fields.year = YearOfCentury(digits.substr(0, 2));
      return FromOrdinal(fields.year, Number(digits.substr(2)), fields);
    case 6:  // "YYMMDD"
      fields.year = YearOfCentury(digits.substr(0, 2));
      fields.month = Number(digits.substr(2, 2));
      fields.day = Number(digits.substr(4, 2));
      return true;
    case 7:
      fields.year = DigitsValue(digits.substr(0, 4));
      return FromOrdinal(fields.year, Number(digits.substr(4)), fields);
    case 8:
      fields.year = DigitsValue(digits.substr(0, 4));
      fields.month = Number(digits.substr(4, 2));
      fields.day = Number(digits.substr(6, 2));
      return true;
    default:
      return false;
  }
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
    if (zone.kind == ZoneReading::Kind::kRead) {
      fields.utc_offset = zone.offset;
      fields.follows_us_summer_time = zone.follows_us_summer_time;
    }
  }
  cursor.SkipBlanks();
  if (!cursor.AtEnd()) return std::nullopt;
  return fields;
}

}  // namespace tarsel
