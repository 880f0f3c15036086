#include "settings/settings_text.h"

#include <gtest/gtest.h>

#include <ctime>

#include "settings/placement.h"
#include "support/temp_dir.h"

namespace tarsel {
namespace {

TEST(PercentEncodingTest, EncodesOnlyWhatTheCredentialFormNeeds) {
  const struct {
    std::string plain;
    std::string encoded;
  } cases[] = {
      {"a b%c", "a b%25c"},
      {"user_name^`", "user%5Fname%5E%60"},
      {"it's <a&b>", "it's <a&b>"},
      {std::string("\x01\x7f\x80\xff", 4), "%01%7F%80%FF"},
      {std::string("\0x", 2), "%00x"},
      {"", ""},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.encoded);
    EXPECT_EQ(PercentEncode(test.plain), test.encoded);
    EXPECT_EQ(PercentDecode(test.encoded), test.plain);
  }
  std::string every_byte;
  for (int byte = 0; byte < 256; ++byte) every_byte += static_cast<char>(byte);
  EXPECT_EQ(PercentDecode(PercentEncode(every_byte)), every_byte);
}

TEST(PercentEncodingTest, DecodesOddDigitsAsTheOldReaderDidAndNeverReadsPastTheEnd) {
  const struct {
    std::string encoded;
    std::string plain;
  } cases[] = {
      {"%2a", std::string(1, static_cast<char>((2 * 16 + ('a' - '0')) & 0xFF))},  // lower case
      {"%ZZ", std::string(1, static_cast<char>((35 * 16 + 35) & 0xFF))},
      {"x%4", "x%4"},
      {"%", "%"},
      {"ab%", "ab%"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.encoded);
    EXPECT_EQ(PercentDecode(test.encoded), test.plain);
  }
}

TEST(ReadDurationTest, ReadsUnitPairsAndClockForms) {
  const struct {
    const char* text;
    int32_t seconds;
  } cases[] = {
      {"01:30:00", 5400},
      {"2 HR 5 min", 7500},
      {"1 hr 2 min 3 sec", 3723},
      {"5 min 1 day", 300},  // unknown unit ignored
      {"3 hr 7", 10800},     // incomplete pair ignored
      {"90", 0},
      {"1:2", 0},
      {"", 0},
      {"100:00:00", 360000},
      {"596523:14:07", 2147483647},
      {"99999999:00:00", 2147483647},  // clamped, no overflow
      {"x:y:z", 0},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.text);
    EXPECT_EQ(ReadDuration(test.text), test.seconds);
  }
}

TEST(ReadLeadingIntTest, ReadsAsAtoiWithoutOverflow) {
  const struct {
    const char* text;
    int32_t value;
  } cases[] = {{"42", 42},
               {"  -7px", -7},
               {"+3", 3},
               {"abc", 0},
               {"", 0},
               {"12abc", 12},
               {"99999999999", 2147483647},
               {"-99999999999", -2147483647 - 1}};
  for (const auto& test : cases) {
    SCOPED_TRACE(test.text);
    EXPECT_EQ(ReadLeadingInt(test.text), test.value);
  }
}

TEST(ReadSettingsDateTest, ReadsTheStoredTwelveHourForm) {
  testing::ScopedEnv tz("TZ", "UTC");
  tzset();
  const struct {
    const char* text;
    int32_t time;
  } cases[] = {
      {"02/03/2004 01:05:09 PM", 1075813509},  // 3 February 2004 13:05:09
      {"02/03/2004 01:05:09 pm", 1075813509},
      {"02/03/2004 01:05:09 AM", 1075813509 - 12 * 3600},
      {"02/03/2004 12:00:00 AM", 1075766400 + 12 * 3600},  // the writer's form of noon
      {"02/03/2004 00:00:00 AM", 1075766400},
      {"02/03/2004 01:05:09 Pm", 1075813509 - 12 * 3600},  // only PM and pm count
      {"13/01/2004 00:00:00 AM", 1104537600},              // month 13 carries into 2005
      {"not define", -1},
      {"02/03/2004 01:05", -1},
      {"", -1},
      {"99999/99999/99999 0:0:0 AM", -1},  // beyond 32 bits
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.text);
    EXPECT_EQ(ReadSettingsDate(test.text), test.time);
  }
}

TEST(PlacementTest, ReadsTenIntegersBetweenSeparators) {
  const struct {
    const char* text;
    WindowPlacement placement;
  } cases[] = {
      {"0 1 (-1,-1) (-1,-1) (10,20,800,600)", {0, 1, -1, -1, -1, -1, 10, 20, 800, 600}},
      {"2 3 (4,5) (6,7) (8,9,10,11)", {2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
      {"", {}},
      {"7 x 9", {7, 0, 0, 0, 0, 0, 0, 0, 0, 0}},  // stuck at 'x': the rest read as 0
      {"1 99999999999 (-99999999999", {1, 2147483647, -2147483647 - 1, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.text);
    EXPECT_EQ(ParsePlacement(test.text), test.placement);
  }
  WindowPlacement odd{1, -2, 3, -4, 5, -6, 7, -8, 2147483647, -2147483647 - 1};
  EXPECT_EQ(ParsePlacement(FormatPlacement(odd)), odd);
  EXPECT_EQ(FormatPlacement(cases[0].placement), cases[0].text);
}

}  // namespace
}  // namespace tarsel
