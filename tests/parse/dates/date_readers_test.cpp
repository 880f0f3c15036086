// Feed dates: the mail forms (RFC 822 section 5, RFC 2822 section 3.3 and its appendix), the
// ISO forms (RFC 3339 section 5.8, the W3C date note) and asctime, each read by both feed
// readers, under UTC and under New York's zone.

#include "parse/dates/date_readers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <ctime>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "scoped_time_zone.h"

namespace tarsel {
namespace {

using testing::kNewYork;
using testing::kUtc;
using testing::ScopedTimeZone;

constexpr int32_t kJan5At102030 = 1073298030;  // 2004-01-05 10:20:30 UTC
constexpr int32_t kLatest = INT32_MAX;         // 2038-01-19 03:14:07 UTC

struct DateCase {
  const char* text;
  std::optional<int32_t> expected;  // UTC seconds; nullopt: unreadable
};

// Both readers read every form; only the order in which they try them differs.
void ExpectBothReaders(const DateCase& c) {
  EXPECT_EQ(TryReadRfc822Date(c.text), c.expected) << "pubDate: " << c.text;
  EXPECT_EQ(TryReadIsoDate(c.text), c.expected) << "dc:date: " << c.text;
}

// A date that names its zone is the same instant wherever the reader is.
TEST(FeedDateTest, ZonedDatesAreExactInAnyLocalZone) {
  const DateCase cases[] = {
      // RFC 822 appendix A.3 and RFC 2822 appendix A.
      {"26 Aug 76 14:29 EDT", 209932140},
      {"Fri, 21 Nov 1997 09:55:06 -0600", 880127706},
      {"21 Nov 97 09:55:06 GMT", 880106106},
      {"Thu,\r\n  13\r\n    Feb\r\n      1969\r\n  23:32\r\n   -0330 (Newfoundland Time)", 0},
      // RFC 3339 section 5.8 (a leap second carries into the next minute).
      {"1985-04-12T23:20:50.52Z", 482196050},
      {"1996-12-19T16:39:57-08:00", 851042397},
      {"1990-12-31T23:59:60Z", 662688000},
      {"1990-12-31T15:59:60-08:00", 662688000},
      {"1937-01-01T12:00:27.87+00:20", 0},
      // The W3C note: the same instant in two zones.
      {"1994-11-05T08:15:30-05:00", 784041330},
      {"1994-11-05T13:15:30Z", 784041330},
      {"1997-07-16T19:20+01:00", 869077200},
      {"1997-07-16T19:20:30.45+01:00", 869077230},
      // The forms feeds write.
      {"Mon, 05 Jan 2004 10:20:30 GMT", kJan5At102030},
      {"Mon, 05 Jan 2004 10:20:30 UT", kJan5At102030},
      {"Mon, 05 Jan 2004 10:20:30 utc", kJan5At102030},
      {"Mon, 05 Jan 2004 10:20:30 Z", kJan5At102030},
      {"Mon, 05 Jan 2004 05:20:30 EST", kJan5At102030},
      {"Mon, 05 Jan 2004 02:20:30 PST", kJan5At102030},
      {"Mon, 05 Jan 2004 12:20:30 +02", kJan5At102030},
      {"Mon, 05 Jan 2004 11:20:30 GMT+01:00", kJan5At102030},
      {"Mon, 05 Jan 2004 10:20:30 XYZ", kJan5At102030},  // unknown name: UTC
      {"Mon, 05 Jan 2004 10:20:30 A", kJan5At102030},    // military letter: UTC
      {"Mon, 05 Jan 2004 10:20:30 +0000 (UTC)", kJan5At102030},
      {"Mon 05 Jan 2004 10:20:30 GMT", kJan5At102030},
      {"  05  jan  2004  10:20:30  gmt  ", kJan5At102030},
      {"Mon, 5 JANUARY 2004 10:20:30 GMT", kJan5At102030},
      {"Mon, Jan 5, 2004 10:20:30 GMT", kJan5At102030},
      {"Mon, 05 Jan 2004 10:20:30 am GMT", kJan5At102030},
      {"Mon, 05 Jan 2004 12:20:30 AM +0200", kJan5At102030 - 12 * 3600},
      {"Mon, 05 Jan 2004 12:20:30 PM +0200", kJan5At102030},
      {"Mon, 05 Jan 2004 5:20 PM +0700", kJan5At102030 - 30},
      {"Monday, 05-Jan-04 10:20:30 GMT", kJan5At102030},
      {"posted, Mon, 05 Jan 2004 10:20:30 GMT", kJan5At102030},
      {"Thu, 01 Jan 2004 00:00 GMT", 1072915200},
      {"Thu,  5 Apr 2012 14:02:00 +0000", 1333634520},
      {"2004-01-05T10:20:30Z", kJan5At102030},
      {"2004-01-05t10:20:30z", kJan5At102030},
      {"2004-01-05 10:20:30+00:00", kJan5At102030},
      {"2004-01-05T05:20:30-0500", kJan5At102030},
      {"2004-01-05T12:20:30,999+02", kJan5At102030},
      {"20040105T102030Z", kJan5At102030},
      {"2004005T102030Z", kJan5At102030},
      {"2004-005T10:20:30Z", kJan5At102030},
      {"2004-01-05T10:20:30 GMT", kJan5At102030},
      {"2004-01-04T24:00:00Z", 1073260800},
      {"\n 2003-12-31T10:14:55Z \n", 1072865695},
  };
  for (const char* zone_name : {kUtc, kNewYork}) {
    ScopedTimeZone zone(zone_name);
    SCOPED_TRACE(zone_name);
    for (const DateCase& c : cases) ExpectBothReaders(c);
  }
}

// Without a zone the clock time is New York's: five hours behind UTC in winter, four in summer.
TEST(FeedDateTest, DatesWithoutZoneAreLocalTime) {
  ScopedTimeZone zone(kNewYork);
  constexpr int32_t kWinter = 5 * 3600;
  const DateCase cases[] = {
      {"Mon, 05 Jan 2004 10:20:30", kJan5At102030 + kWinter},
      {"Mon, 05 Jan 2004 10:20", kJan5At102030 - 30 + kWinter},
      {"Mon, 05 Jan 2004", 1073260800 + kWinter},
      {"Sun Nov  6 08:49:37 1994", 784111777 + kWinter},
      {"Nov 6 1994 08:49:37", 784111777 + kWinter},
      {"January 5, 2004", 1073260800 + kWinter},
      {"Mon, 05 Jul 2004 10:20:30", 1089022830 + 4 * 3600},
      {"2004-01-05T10:20:30", kJan5At102030 + kWinter},
      {"2004-01-05 10:20", kJan5At102030 - 30 + kWinter},
      {"2004-01-05T10", kJan5At102030 - 20 * 60 - 30 + kWinter},
      {"1997", 852076800 + kWinter},
      {"1997-07", 867715200 + 4 * 3600},
      {"1997-07-16", 869011200 + 4 * 3600},
      {"2004-366", 1104451200 + kWinter},
      {"1969-12-31T20:00:00", 3600},
  };
  for (const DateCase& c : cases) ExpectBothReaders(c);
}

// Every month by its short and full name and by number: a month table out of order shows here.
TEST(FeedDateTest, AllTwelveMonths) {
  ScopedTimeZone zone(kUtc);
  constexpr int32_t kFifthOfEachMonth[] = {1073298030, 1075976430, 1078482030, 1081160430,
                                           1083752430, 1086430830, 1089022830, 1091701230,
                                           1094379630, 1096971630, 1099650030, 1102242030};
  constexpr const char* kNames[] = {"January",   "February", "March",    "April",
                                    "May",       "June",     "July",     "August",
                                    "September", "October",  "November", "December"};
  for (int m = 0; m < 12; ++m) {
    const std::string name = kNames[m];
    const std::string number = (m < 9 ? "0" : "") + std::to_string(m + 1);
    const std::string texts[] = {
        "05 " + name.substr(0, 3) + " 2004 10:20:30 GMT",
        "05 " + name + " 2004 10:20:30 GMT",
        "2004-" + number + "-05T10:20:30Z",
    };
    for (const std::string& text : texts) ExpectBothReaders({text.c_str(), kFifthOfEachMonth[m]});
  }
}

// RFC 2822's rule for short years: 00-49 are 20xx, 50-99 are 19xx, three digits add 1900.
TEST(FeedDateTest, ShortYears) {
  ScopedTimeZone zone(kUtc);
  const DateCase cases[] = {
      {"05 Jan 04 10:20:30 GMT", kJan5At102030},
      {"05 Jan 99 10:20:30 GMT", 915531630},
      {"05 Jan 104 10:20:30 GMT", kJan5At102030},
      {"05 Jan 49 10:20:30 GMT", kLatest},
      {"05 Jan 50 10:20:30 GMT", 0},
      {"05 Jan 999 10:20:30 GMT", kLatest},  // 2899
      {"05 Jan 0004 10:20:30 GMT", 0},       // four digits are the year as written
  };
  for (const DateCase& c : cases) ExpectBothReaders(c);
}

// Past what 32 bits hold the time stops at the edge, in either direction; it never wraps.
TEST(FeedDateTest, OutOfRangeYearsAreClamped) {
  ScopedTimeZone zone(kNewYork);
  const std::string huge_year(10000, '9');
  const DateCase cases[] = {
      {"2038-01-19T03:14:07Z", kLatest},
      {"2038-01-19T03:14:08Z", kLatest},
      {"2106-02-07T06:28:16Z", kLatest},  // 2^32 seconds: wraps to 0 if anything narrows
      {"2040-01-01T00:00:00", kLatest},
      {"2038-01-19T00:00:00", kLatest},  // New York's clock is behind: past the edge in UTC
      {"1970-01-01T00:00:00Z", 0},
      {"1969-12-31T23:59:59Z", 0},
      {"1901-12-13T20:45:52Z", 0},
      {"Mon, 05 Jan 1900 10:20:30", 0},
  };
  for (const DateCase& c : cases) ExpectBothReaders(c);
  const std::string huge = "05 Jan " + huge_year + " 10:20:30 GMT";
  ExpectBothReaders({huge.c_str(), kLatest});
}

// A field out of range makes the date unreadable instead of sliding into a neighbouring one.
TEST(FeedDateTest, FieldsOutOfRangeAreUnreadable) {
  ScopedTimeZone zone(kUtc);
  const char* const texts[] = {
      "2004-13-05T10:20:30Z",
      "2004-00-05T10:20:30Z",
      "2004-01-00T10:20:30Z",
      "2003-02-29T10:20:30Z",
      "2004-02-30",
      "2003-366",
      "2004-000",
      "2004-01-05T25:20:30Z",
      "2004-01-05T24:00:01Z",
      "2004-01-05T10:60:30Z",
      "2004-01-05T10:20:61Z",
      "2004-01-05T10:20:30+99:99",
      "2004-01-05T10:20:30+24:00",
      "2004-01-05T10:20:30+01:60",
      "2004-01-05T10:20:30+",
      "Mon, 32 Jan 2004 10:20:30 GMT",
      "Mon, 00 Jan 2004 10:20:30 GMT",
      "Mon, 05 Jan 2004 25:20:30 GMT",
      "Mon, 05 Jan 2004 10:20:30 +9999",
      "Mon, 05 Jan 2004 10:20:30 +123",
      "Mon, 05 Jan 2004 13:20:30 PM GMT",
  };
  for (const char* text : texts) ExpectBothReaders({text, std::nullopt});
}

TEST(FeedDateTest, TextsThatAreNoDate) {
  ScopedTimeZone zone(kUtc);
  const char* const texts[] = {
      "",
      "   ",
      "yesterday",
      "Lun, 05 Janv 2004 10:20:30 GMT",
      "Mon, 05 Ja 2004 10:20:30 GMT",
      "05/01/2004 10:20:30",
      "2004-1-5",
      "+2004-01-05",
      "2004-01-05T10:20:30Z and more",
      "2004-01-05T1",
      "Mon, 05 Jan 2004 10:20:30 GMT1",
      "Mon, 05 Jan 2004 10:2",
      "Mon, 05 Jan 2004 10:20:3",
      "Mon, 05 Jan 2",
      "Mon, 123 Jan 2004",
      "Jan 2004",
  };
  for (const char* text : texts) ExpectBothReaders({text, std::nullopt});
  // The Read* forms give the time of reading exactly then.
  const auto before = static_cast<int32_t>(std::time(nullptr));
  const int32_t got = ReadIsoDate("yesterday");
  EXPECT_GE(got, before);
  EXPECT_LE(got, static_cast<int32_t>(std::time(nullptr)));
  EXPECT_EQ(ReadRfc822Date("Mon, 05 Jan 2004 10:20:30 GMT"), kJan5At102030);
}

// Megabytes of digits, blanks or commas: read in one pass and answered without fault.
TEST(FeedDateTest, HugeTextsAreHarmless) {
  ScopedTimeZone zone(kUtc);
  const size_t kMegabyte = 1 << 20;
  const std::string digits(kMegabyte, '7');
  const std::string blanks(kMegabyte, ' ');
  const std::string commas(kMegabyte, ',');
  const struct {
    std::string text;
    std::optional<int32_t> expected;
  } cases[] = {
      {digits, std::nullopt},
      {digits + "-01-05", std::nullopt},
      {"2004-01-05T10:20:30." + digits + "Z", kJan5At102030},
      {blanks + "Mon, 05 Jan 2004 10:20:30 GMT" + blanks, kJan5At102030},
      {commas + " 05 Jan 2004 10:20:30 GMT", kJan5At102030},
      {"05 Jan 2004 10:20:30 GMT " + digits, kJan5At102030},
      {"05 Jan 2004 10:20:30 +" + digits, std::nullopt},
      {commas + digits, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TryReadRfc822Date(c.text), c.expected) << c.text.substr(0, 40);
    EXPECT_EQ(TryReadIsoDate(c.text), c.expected) << c.text.substr(0, 40);
  }
}

// Arbitrary bytes among date pieces: nothing read is outside the store's range.
TEST(FeedDateTest, RandomBytesGiveNothingOrATimeInRange) {
  ScopedTimeZone zone(kNewYork);
  const std::vector<std::string> pieces = {"Mon, ",
                                           "05",
                                           " ",
                                           "Jan",
                                           "2004",
                                           ":",
                                           "-",
                                           "T",
                                           "Z",
                                           "+",
                                           "GMT",
                                           ".",
                                           ",",
                                           "\t",
                                           std::string(1, '\0'),
                                           "\xFF",
                                           "999999999999",
                                           "(",
                                           "\r\n",
                                           "366",
                                           "24:00"};
  std::mt19937 random(20040105);
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const int count = static_cast<int>(random() % 16);
    for (int i = 0; i < count; ++i) {
      text += random() % 4 == 0 ? std::string(1, static_cast<char>(random() % 256))
                                : pieces[random() % pieces.size()];
    }
    for (auto reader : {TryReadRfc822Date, TryReadIsoDate}) {
      if (std::optional<int32_t> value = reader(text)) {
        EXPECT_GE(*value, 0) << text;
      }
    }
  }
}

}  // namespace
}  // namespace tarsel
