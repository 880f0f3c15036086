#include "parse/dates/zone_reader.h"

#include <array>
#include <string_view>

#include "parse/dates/calendar.h"

namespace tarsel {
namespace {

struct NamedZone {
  std::string_view name;  // upper case
  int offset_minutes;
  bool follows_us_summer_time = false;
};

// RFC 822's North American names first (CST is read as theirs, not China's), then the rest of
// that continent and a few names European and Japanese feeds write. Names that stand for
// several zones at once (IST: India, Ireland, Israel) are left out and read as UTC.
constexpr std::array<NamedZone, 33> kNamedZones = {{
    {"EST", -5 * 60},
    {"EDT", -4 * 60},
    {"CST", -6 * 60},
    {"CDT", -5 * 60},
    {"MST", -7 * 60},
    {"MDT", -6 * 60},
    {"PST", -8 * 60},
    {"PDT", -7 * 60},
    {"AKST", -9 * 60},
    {"AKDT", -8 * 60},
    {"HST", -10 * 60},
    {"AST", -4 * 60},
    {"ADT", -3 * 60},
    {"NST", -(3 * 60 + 30)},
    {"NDT", -(2 * 60 + 30)},
    {"WET", 0},
    {"WEST", 60},
    {"BST", 60},
    {"CET", 60},
    {"CEST", 2 * 60},
    {"EET", 2 * 60},
    {"EEST", 3 * 60},
    {"MSK", 3 * 60},
    {"JST", 9 * 60},
    // Central Europe as German writes it, and its older English names.
    {"MEZ", 60},
    {"MESZ", 2 * 60},
    {"MET", 60},
    {"MEST", 2 * 60},
    {"CEDT", 2 * 60},
    // The generic names schedules use: standard or summer time by the date.
    {"ET", -5 * 60, true},
    {"CT", -6 * 60, true},
    {"MT", -7 * 60, true},
    {"PT", -8 * 60, true},
}};

bool EqualsUpper(std::string_view text, std::string_view upper) {
  if (text.size() != upper.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 32) : text[i];
    if (c != upper[i]) return false;
  }
  return true;
}

bool IsUniversalName(std::string_view name) {
  return EqualsUpper(name, "UT") || EqualsUpper(name, "UTC") || EqualsUpper(name, "GMT") ||
         EqualsUpper(name, "Z");
}

ZoneReading NamedZoneReading(std::string_view name) {
  for (const NamedZone& zone : kNamedZones) {
    if (EqualsUpper(name, zone.name)) {
      return {ZoneReading::Kind::kRead, zone.offset_minutes * 60, zone.follows_us_summer_time};
    }
  }
  return {ZoneReading::Kind::kRead, 0};
}

bool IsTzUniversalName(std::string_view name) {
  return IsUniversalName(name) || EqualsUpper(name, "UCT") || EqualsUpper(name, "UNIVERSAL") ||
         EqualsUpper(name, "ZULU") || EqualsUpper(name, "GREENWICH");
}

ZoneReading Invalid() {
  return {ZoneReading::Kind::kInvalid, 0};
}

// After the sign: "hhmm", "hh:mm" or "hh" (one hour digit is taken too: "GMT+1"); hours to
// 23, minutes to 59.
ZoneReading ReadNumericOffset(TextCursor& cursor, int sign) {
  std::string_view hours = cursor.TakeDigits();
  std::string_view minutes;
  if (hours.size() == 4) {
    minutes = hours.substr(2);
    hours = hours.substr(0, 2);
  } else if (hours.empty() || hours.size() > 2) {
    return Invalid();
  } else if (cursor.Take(':')) {
    minutes = cursor.TakeDigits();
    if (minutes.size() != 2) return Invalid();
  }
  const int64_t h = DigitsValue(hours);
  const int64_t m = minutes.empty() ? 0 : DigitsValue(minutes);
  if (h > 23 || m > 59) return Invalid();
  return {ZoneReading::Kind::kRead, sign * static_cast<int>(h * 3600 + m * 60)};
}

ZoneReading ReadSignedOffset(TextCursor& cursor) {
  if (cursor.Take('+')) return ReadNumericOffset(cursor, 1);
  if (cursor.Take('-')) return ReadNumericOffset(cursor, -1);
  return {};
}

// After "Etc/": a universal name, maybe with hours in POSIX's sign ("GMT-3" is three hours east).
// Only the tz database's own Etc zones are known; other areas would need its tables.
ZoneReading ReadEtcZone(TextCursor& cursor) {
  if (!IsTzUniversalName(cursor.TakeLetters())) return Invalid();
  ZoneReading offset = ReadSignedOffset(cursor);
  if (offset.kind == ZoneReading::Kind::kAbsent) return {ZoneReading::Kind::kRead, 0};
  offset.offset = -offset.offset;
  return offset;
}

// 1 to 31: the day of month of the `nth` Sunday (1 to 5; 5 the last) of `month`.
int NthSunday(int64_t year, int month, int nth) {
  const int64_t first = DaysToMonthStart(year, month - 1);
  const int first_weekday = static_cast<int>(((first + 4) % 7 + 7) % 7);  // 0 Sunday
  const int first_sunday = 1 + (7 - first_weekday) % 7;
  if (nth < 5) return first_sunday + 7 * (nth - 1);
  const int last = DaysInMonth(year, month);
  return first_sunday + 7 * ((last - first_sunday) / 7);
}

// Month, day and hour as one number, ordered as the calendar is.
int64_t Stamp(int month, int day, int hour) {
  return (month * 32 + day) * 24 + hour;
}

}  // namespace

ZoneReading ReadZone(TextCursor& cursor) {
  if (ZoneReading offset = ReadSignedOffset(cursor); offset.kind != ZoneReading::Kind::kAbsent) {
    return offset;
  }
  const std::string_view name = cursor.TakeLetters();
  if (name.empty()) return {};
  if (EqualsUpper(name, "ETC") && cursor.Take('/')) return ReadEtcZone(cursor);
  if (IsUniversalName(name)) {
    const ZoneReading offset = ReadSignedOffset(cursor);
    if (offset.kind != ZoneReading::Kind::kAbsent) return offset;
  }
  return NamedZoneReading(name);
}

bool IsUsSummerTime(int64_t year, int month, int day, int hour) {
  int start_month = 4, start_sunday = 5, end_month = 10, end_sunday = 5;
  if (year >= 2007) {
    start_month = 3, start_sunday = 2, end_month = 11, end_sunday = 1;
  } else if (year >= 1987) {
    start_sunday = 1;
  }
  const int64_t start = Stamp(start_month, NthSunday(year, start_month, start_sunday), 2);
  // The change back happens at 2:00 summer time, 1:00 in standard time.
  const int64_t end = Stamp(end_month, NthSunday(year, end_month, end_sunday), 1);
  const int64_t now = Stamp(month, day, hour);
  return now >= start && now < end;
}

}  // namespace tarsel
