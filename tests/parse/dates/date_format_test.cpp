#include "parse/dates/date_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "parse/dates/date_readers.h"
#include "scoped_time_zone.h"

namespace tarsel {
namespace {

using testing::kCentralEurope;
using testing::kUtc;
using testing::ScopedTimeZone;

constexpr int32_t kJan5Midnight = 1073260800;             // 2004-01-05 00:00 UTC
constexpr int32_t kJan5At150409 = kJan5Midnight + 54249;  // 15:04:09
constexpr int32_t kJul5At1020 = 1089022800;               // 2004-07-05 10:20 UTC

TEST(DateFormatTest, EveryStyle) {
  ScopedTimeZone zone(kUtc);
  const char* expected[] = {
      "01/05/04",   "05/01/04", "04/01/05",    "01/05/2004",        "05/01/2004",
      "2004/01/05", "15:04:09", "03:04:09 PM", "01/05/04 15:04:09", "01/05/2004 03:04:09 PM",
  };
  for (int style = 0; style <= 9; ++style) {
    EXPECT_EQ(FormatDate(kJan5At150409, style), expected[style]) << "style " << style;
  }
  EXPECT_EQ(FormatDate(kJan5At150409, 10), "");
  EXPECT_EQ(FormatDate(kJan5At150409, -1), "");
  EXPECT_EQ(FormatDate(915148800, 0), "01/01/99");  // 1999: two-digit year of the century
}

TEST(DateFormatTest, MissingTimeIsNotDefined) {
  ScopedTimeZone zone(kUtc);
  for (int32_t time : {0, -1, INT32_MIN}) {
    for (int style = 0; style <= 9; ++style) {
      EXPECT_EQ(FormatDate(time, style), "not define") << time << " style " << style;
    }
  }
}

TEST(DateFormatTest, TwelveHourClock) {
  ScopedTimeZone zone(kUtc);
  const struct {
    int hour;
    const char* expected;
  } cases[] = {
      {0, "00:00:00 AM"},  {1, "01:00:00 AM"},  {11, "11:00:00 AM"},
      {12, "12:00:00 AM"}, {13, "01:00:00 PM"}, {23, "11:00:00 PM"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatDate(kJan5Midnight + c.hour * 3600, 7), c.expected) << c.hour;
    EXPECT_EQ(FormatDuration(c.hour * 3600, 7), c.expected) << c.hour;
  }
}

TEST(DateFormatTest, Durations) {
  const struct {
    int32_t seconds;
    int style;
    const char* expected;
  } cases[] = {
      {3725, 6, "01:02:05"},
      {0, 6, "00:00:00"},
      {59, 6, "00:00:59"},
      {360000, 6, "100:00:00"},
      {3725, 7, "01:02:05 AM"},
      {46805, 7, "01:00:05 PM"},
      {172800, 7, "48:00:00 AM"},
      {3725, 0, ""},
      {3725, 9, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatDuration(c.seconds, c.style), c.expected) << c.seconds << " style " << c.style;
  }
}

TEST(DateFormatTest, RecordStampReadsBackToTheMinute) {
  const struct {
    const char* zone;
    int32_t time;
    const char* expected;
  } cases[] = {
      {kUtc, kJan5Midnight + 9 * 3600 + 7 * 60, "[2004.01.05 09:07]"},
      {kUtc, kJan5Midnight + 9 * 3600 + 7 * 60 + 59, "[2004.01.05 09:07]"},
      {kCentralEurope, kJan5Midnight + 9 * 3600 + 7 * 60, "[2004.01.05 10:07]"},
      {kCentralEurope, kJul5At1020, "[2004.07.05 12:20]"},
      {kCentralEurope, kJan5Midnight - 1800, "[2004.01.05 00:30]"},
  };
  for (const auto& c : cases) {
    ScopedTimeZone zone(c.zone);
    const std::string stamp = FormatRecordStamp(c.time);
    EXPECT_EQ(stamp, c.expected);
    EXPECT_EQ(TryReadStoredDate(stamp), c.time - c.time % 60) << stamp;
  }
}

TEST(DateFormatTest, OtherZoneShowsLocalTime) {
  ScopedTimeZone zone(kCentralEurope);
  EXPECT_EQ(FormatDate(kJul5At1020, 8), "07/05/04 12:20:00");
  EXPECT_EQ(FormatDate(kJan5At150409, 9), "01/05/2004 04:04:09 PM");
}

}  // namespace
}  // namespace tarsel
