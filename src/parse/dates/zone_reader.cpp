#include "parse/dates/zone_reader.h"

#include <array>
#include <string_view>

namespace tarsel {
namespace {

struct NamedZone {
  std::string_view name;  // upper case
  int offset_minutes;
};

// RFC 822's North American names first (CST is read as theirs, not China's), then the rest of
// that continent and a few names European and Japanese feeds write. Names that stand for
// several zones at once (IST: India, Ireland, Israel) are left out and read as UTC.
constexpr std::array<NamedZone, 24> kNamedZones = {{
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

int NamedOffsetSeconds(std::string_view name) {
  for (const NamedZone& zone : kNamedZones) {
    if (EqualsUpper(name, zone.name)) return zone.offset_minutes * 60;
  }
  return 0;
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

}  // namespace

ZoneReading ReadZone(TextCursor& cursor) {
  if (ZoneReading offset = ReadSignedOffset(cursor); offset.kind != ZoneReading::Kind::kAbsent) {
    return offset;
  }
  const std::string_view name = cursor.TakeLetters();
  if (name.empty()) return {};
  if (IsUniversalName(name)) {
    const ZoneReading offset = ReadSignedOffset(cursor);
    if (offset.kind != ZoneReading::Kind::kAbsent) return offset;
  }
  return {ZoneReading::Kind::kRead, NamedOffsetSeconds(name)};
}

}  // namespace tarsel
