#include "parse/dates/stored_date_reader.h"

#include <array>
#include <climits>
#include <exception>

#include "parse/dates/local_time.h"
#include "parse/dates/pattern.h"

namespace tarsel {
namespace {

// The blank at the end of the RFC 822 pattern is part of it: a time must be followed by one.
constexpr std::string_view kRfc822Pattern =
    "(.*?, ){[0-9]+} {.*}? {[0-9]+} {[0-9]+}:{[0-9]+}:{[0-9]+} ";
constexpr std::string_view kIsoPattern = "{[0-9]+}-{[0-9]+}-{[0-9]+}T{[0-9]+}:{[0-9]+}";
constexpr std::string_view kBracketPattern =
    "\\[?{[0-9]+}\\.{[0-9]+}\\.{[0-9]+}(\\b{[0-9]+}:{[0-9]+}\\])?";

constexpr std::array<std::string_view, 12> kMonthNames = {"jan", "feb", "mar", "apr", "may", "jun",
                                                          "jul", "aug", "sep", "oct", "nov", "dec"};

Pattern CompileOrDie(std::string_view text) {
  std::optional<Pattern> pattern = Pattern::Compile(text);
  // The texts above are constants; failing here is a programming error caught by every test.
  if (!pattern) std::terminate();
  return *pattern;
}

// The three compiled patterns, built on first use and never changed, so every thread may read
// them.
struct StoredPatterns {
  Pattern rfc822 = CompileOrDie(kRfc822Pattern);
  Pattern iso8601 = CompileOrDie(kIsoPattern);
  Pattern bracket = CompileOrDie(kBracketPattern);

  static const StoredPatterns& Instance() {
    static const StoredPatterns instance;
    return instance;
  }
};

// Leading digits as atoi reads them; an overlong number saturates as the C runtime's atoi does
// on overflow instead of wrapping.
int ReadNumber(std::string_view digits) {
  long long value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    if (value > INT_MAX) return INT_MAX;
  }
  return static_cast<int>(value);
}

int ReadGroup(std::string_view text, const MatchResult& match, size_t index) {
  return ReadNumber(match.Group(text, index));
}

// 1 to 12, or 0 when the name is not one of the three-letter English month names.
int MonthFromName(std::string_view name) {
  if (name.size() != 3) return 0;
  std::array<char, 3> lower{};
  for (size_t i = 0; i < 3; ++i) {
    const char c = name[i];
    lower[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
  }
  for (size_t m = 0; m < kMonthNames.size(); ++m) {
    if (kMonthNames[m] == std::string_view(lower.data(), lower.size())) {
      return static_cast<int>(m) + 1;
    }
  }
  return 0;
}

LocalFields FieldsInDateOrder(std::string_view text, const MatchResult& match) {
  return {ReadGroup(text, match, 0), ReadGroup(text, match, 1), ReadGroup(text, match, 2),
          ReadGroup(text, match, 3), ReadGroup(text, match, 4)};
}

std::optional<int32_t> ReadRfc822Form(std::string_view text) {
  MatchResult match;
  if (!StoredPatterns::Instance().rfc822.Search(text, match)) return std::nullopt;
  LocalFields fields;
  fields.day = ReadGroup(text, match, 0);
  fields.month = MonthFromName(match.Group(text, 1));
  // Without a month the runtime would slide into the previous December: a wrong date that
  // looks right. Such a text is treated as unreadable instead.
  if (fields.month == 0) return std::nullopt;
  fields.year = ReadGroup(text, match, 2);
  if (fields.year < 1000) fields.year += 2000;  // "04" is 2004
  fields.hour = ReadGroup(text, match, 3);
  fields.minute = ReadGroup(text, match, 4);
  return LocalToTime(fields);
}

std::optional<int32_t> ReadIsoForm(std::string_view text) {
  MatchResult match;
  if (!StoredPatterns::Instance().iso8601.Search(text, match)) return std::nullopt;
  return LocalToTime(FieldsInDateOrder(text, match));
}

}  // namespace

std::optional<int32_t> ReadLegacyStoredDate(std::string_view text) {
  MatchResult match;
  // Absent hour and minute groups read as 0: a bare "2004.01.05" is midnight.
  if (StoredPatterns::Instance().bracket.Search(text, match)) {
    return LocalToTime(FieldsInDateOrder(text, match));
  }
  if (std::optional<int32_t> iso = ReadIsoForm(text)) return iso;
  return ReadRfc822Form(text);
}

}  // namespace tarsel
