// Month, weekday and meridiem names in the language a feed declares: read where that language's
// names are known, in the bytes the text is in, and never from another language or a guess.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "parse/dates/date_readers.h"
#include "scoped_time_zone.h"

namespace tarsel {
namespace {

using testing::kUtc;
using testing::ScopedTimeZone;

constexpr int32_t kDec3At0800Utc = 1733212800;  // 2024-12-03, a Tuesday
constexpr int32_t kDec3At1000Utc = 1733220000;
constexpr int32_t kDec3At1300Utc = 1733230800;
constexpr int32_t kDec3At2200Utc = 1733263200;
constexpr int32_t kMar3At1400Utc = 1709474400;  // 2024-03-03, a Sunday

struct LanguageCase {
  const char* name;
  const char* language;  // as the feed declares it
  int code_page;
  std::string text;
  std::optional<int32_t> expected;  // nullopt: unreadable
};

TEST(DateLanguageTest, NamesOfTheDeclaredLanguageAreRead) {
  constexpr int kUtf8 = kCodePageUtf8;
  const LanguageCase cases[] = {
      {"greek mail form", "el", kUtf8, "Τρί, 03 Δεκ 2024 10:00:00 +0200", kDec3At0800Utc},
      {"greek capitals drop the tonos", "el-GR", kUtf8, "ΤΡΙ, 03 ΔΕΚ 2024 10:00:00 +0200",
       kDec3At0800Utc},
      {"greek genitive, weekday without comma, meridiem", "el", kUtf8,
       "Τρίτη 3 Δεκεμβρίου 2024 10:00 μ.μ.", kDec3At2200Utc},
      {"greek month first", "EL", kUtf8, "ΜΑΪΟΥ 3, 2024 9:15 μ.μ.", 1714770900},
      {"greek weekday confirms a slash date", "el", kUtf8, "Τετ, 04/12/2024 10:00 +0200",
       kDec3At0800Utc + 86400},
      {"english names stay readable", "el", kUtf8, "Tue, 03 Dec 2024 10:00:00 +0200",
       kDec3At0800Utc},
      {"hungarian abbreviation with its point", "hu", kUtf8, "kedd, 03 dec. 2024 10:00:00 +0100",
       kDec3At0800Utc + 3600},
      {"hungarian year first", "hu-HU", kUtf8, "2024. december 3. 10:00", kDec3At1000Utc},
      {"hungarian weekday and meridiem", "hu", kUtf8, "2024. márc. 3., vasárnap du. 2:00",
       kMar3At1400Utc},
      {"hungarian in windows-1250", "hu", 1250, "2024. M\xC1RCIUS 3. 14:00", kMar3At1400Utc},
      {"hungarian in windows-1252", "hu", 1252, "2024. m\xE1rc. 3. 14:00", kMar3At1400Utc},
      {"single-byte text read as UTF-8", "hu", kUtf8, "2024. m\xE1rc. 3. 14:00", std::nullopt},
      {"korean year first", "ko", kUtf8, "2024년 12월 3일 오후 10:00", kDec3At2200Utc},
      {"korean mail form", "ko-KR", kUtf8, "화, 03 12월 2024 22:00:00 +0900", kDec3At1300Utc},
      {"korean weekday after the day", "ko_KR", kUtf8, "2024년 12월 3일 화요일 22:00:00 +0900",
       kDec3At1300Utc},
      {"korean midnight hour", "ko", kUtf8, "2024년 12월 3일 (화) 오전 12:30", 1733185800},
      {"meridiem after hour 12", "ko", kUtf8, "2024년 12월 3일 오후 13:00", std::nullopt},
      {"no language declared", "", kUtf8, "Τρί, 03 Δεκ 2024 10:00:00 +0200", std::nullopt},
      {"a language without names", "fr", kUtf8, "mar., 03 déc. 2024 10:00", std::nullopt},
      {"greek names in a korean feed", "ko", kUtf8, "Τρί, 03 Δεκ 2024 10:00:00 +0200",
       std::nullopt},
      {"hungarian form in a greek feed", "el", kUtf8, "2024. december 3. 10:00", std::nullopt},
      {"no name from a prefix", "hu", kUtf8, "2024. decem 3. 10:00", std::nullopt},
      {"no year-first form in greek", "el", kUtf8, "2024. Δεκ 3. 10:00", std::nullopt},
  };
  ScopedTimeZone zone(kUtc);
  for (const LanguageCase& c : cases) {
    const DateLanguage language = DateLanguageFor(c.language, c.code_page);
    EXPECT_EQ(TryReadRfc822DateInLanguage(c.text, language), c.expected) << c.name;
    EXPECT_EQ(TryReadIsoDateInLanguage(c.text, language), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace tarsel
