#include "parse/dates/date_readers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "scoped_time_zone.h"

namespace tarsel {
namespace {

using testing::kCentralEurope;
using testing::kUtc;
using testing::ScopedTimeZone;

// UTC seconds of the dates the cases use.
constexpr int32_t kJan5At1020 = 1073298000;  // 2004-01-05 10:20
constexpr int32_t kJan5Midnight = 1073260800;
constexpr int32_t kFeb1At1020 = 1075630800;
constexpr int32_t kJan5At1020NextYear = 1104920400;  // 2005-01-05 10:20
constexpr int32_t kDec5At1020 = 1070619600;          // 2003-12-05 10:20
constexpr int32_t kJul5At1020 = 1089022800;          // 2004-07-05 10:20
constexpr int32_t kLastMinuteOf32Bits = 2147483640;  // 2038-01-19 03:14
constexpr int32_t kUnrepresentable = -1;

using Reader = std::optional<int32_t> (*)(std::string_view);

struct ReadCase {
  const char* name;
  Reader reader;
  std::string text;
  std::optional<int32_t> expected;  // nullopt: the text does not match
};

const std::vector<ReadCase>& UtcCases() {
  static const std::vector<ReadCase> cases = {
      {"rfc: full form", TryReadRfc822Date, "Mon, 05 Jan 2004 10:20:30 GMT", kJan5At1020},
      {"rfc: seconds and zone ignored", TryReadRfc822Date, "Mon, 05 Jan 2004 10:20:59 -0500",
       kJan5At1020},
      {"rfc: two-digit year", TryReadRfc822Date, "Mon, 05 Jan 04 10:20:30 GMT", kJan5At1020},
      {"rfc: upper-case month", TryReadRfc822Date, "Mon, 05 JAN 2004 10:20:30 GMT", kJan5At1020},
      {"rfc: one-digit day", TryReadRfc822Date, "Mon, 5 Jan 2004 10:20:30 +0000", kJan5At1020},
      {"rfc: text before the weekday", TryReadRfc822Date, "posted, Mon, 05 Jan 2004 10:20:30 GMT",
       kJan5At1020},
      {"rfc: december", TryReadRfc822Date, "Fri, 05 Dec 2003 10:20:30 GMT", kDec5At1020},
      {"rfc: day past month end carries", TryReadRfc822Date, "Mon, 32 Jan 2004 10:20:30 GMT",
       kFeb1At1020},
      {"rfc: epoch", TryReadRfc822Date, "Thu, 01 Jan 1970 00:00:00 GMT", 0},
      {"rfc: last minute of 32 bits", TryReadRfc822Date, "Tue, 19 Jan 2038 03:14:00 GMT",
       kLastMinuteOf32Bits},
      {"rfc: after 2038", TryReadRfc822Date, "Tue, 19 Jan 2038 03:15:00 GMT", kUnrepresentable},
      {"rfc: before 1970", TryReadRfc822Date, "Wed, 31 Dec 1969 23:59:00 GMT", kUnrepresentable},
      {"rfc: three-digit year is 2999", TryReadRfc822Date, "Mon, 05 Jan 999 10:20:30 GMT",
       kUnrepresentable},
      {"rfc: no comma before the day", TryReadRfc822Date, "05 Jan 2004 10:20:30 GMT", std::nullopt},
      {"rfc: nothing after the seconds", TryReadRfc822Date, "Mon, 05 Jan 2004 10:20:30",
       std::nullopt},
      {"rfc: no seconds", TryReadRfc822Date, "Mon, 05 Jan 2004 10:20 GMT", std::nullopt},
      {"rfc: unknown month name", TryReadRfc822Date, "Lun, 05 Janv 2004 10:20:30 GMT",
       std::nullopt},
      {"rfc: long month name", TryReadRfc822Date, "Mon, 05 January 2004 10:20:30 GMT",
       std::nullopt},
      {"rfc: empty", TryReadRfc822Date, "", std::nullopt},

      {"iso: with seconds and offset", TryReadIsoDate, "2004-01-05T10:20:30+02:00", kJan5At1020},
      {"iso: minutes only", TryReadIsoDate, "2004-01-05T10:20Z", kJan5At1020},
      {"iso: inside other text", TryReadIsoDate, "at 2004-01-05T10:20:30.25Z", kJan5At1020},
      {"iso: month 13 carries", TryReadIsoDate, "2004-13-05T10:20", kJan5At1020NextYear},
      {"iso: year as written", TryReadIsoDate, "04-01-05T10:20", kUnrepresentable},
      {"iso: before 1970", TryReadIsoDate, "1969-12-31T23:59", kUnrepresentable},
      {"iso: date without time", TryReadIsoDate, "2004-01-05", std::nullopt},
      {"iso: lower-case t", TryReadIsoDate, "2004-01-05t10:20", std::nullopt},
      {"iso: blank instead of T", TryReadIsoDate, "2004-01-05 10:20", std::nullopt},

      {"stored: bracket form", TryReadStoredDate, "[2004.01.05 10:20]", kJan5At1020},
      {"stored: tab before the time", TryReadStoredDate, "[2004.01.05\t10:20]", kJan5At1020},
      {"stored: date only is midnight", TryReadStoredDate, "2004.01.05", kJan5Midnight},
      {"stored: unclosed time is dropped", TryReadStoredDate, "[2004.01.05 10:20", kJan5Midnight},
      {"stored: iso form", TryReadStoredDate, "2004-01-05T10:20:30Z", kJan5At1020},
      {"stored: rfc form", TryReadStoredDate, "Mon, 05 Jan 2004 10:20:30 GMT", kJan5At1020},
      {"stored: bracket before iso", TryReadStoredDate, "2004-07-05T10:20 2004.01.05",
       kJan5Midnight},
      {"stored: twelve-hour text is not read", TryReadStoredDate, "01/05/2004 03:04:09 PM",
       std::nullopt},
  };
  return cases;
}

TEST(DateReadersTest, ReadsEachFormAsLocalTime) {
  ScopedTimeZone zone(kUtc);
  for (const ReadCase& c : UtcCases()) EXPECT_EQ(c.reader(c.text), c.expected) << c.name;
}

TEST(DateReadersTest, OtherZoneFollowsItsDaylightSaving) {
  ScopedTimeZone zone(kCentralEurope);
  const struct {
    const char* name;
    Reader reader;
    const char* text;
    int32_t expected;
  } cases[] = {
      {"rfc winter", TryReadRfc822Date, "Mon, 05 Jan 2004 10:20:30 GMT", kJan5At1020 - 3600},
      {"rfc summer", TryReadRfc822Date, "Mon, 05 Jul 2004 10:20:30 GMT", kJul5At1020 - 7200},
      {"iso summer", TryReadIsoDate, "2004-07-05T10:20:30Z", kJul5At1020 - 7200},
      {"bracket winter", TryReadStoredDate, "[2004.01.05 10:20]", kJan5At1020 - 3600},
      {"local epoch is before 1970 in UTC", TryReadIsoDate, "1970-01-01T00:00", kUnrepresentable},
  };
  for (const auto& c : cases) EXPECT_EQ(c.reader(c.text), c.expected) << c.name;
}

// The Read* forms give the current time exactly where the TryRead* forms find nothing.
TEST(DateReadersTest, UnreadableTextGivesCurrentTime) {
  ScopedTimeZone zone(kUtc);
  const std::function<int32_t(std::string_view)> readers[] = {ReadRfc822Date, ReadIsoDate,
                                                              ReadStoredDate};
  const Reader try_readers[] = {TryReadRfc822Date, TryReadIsoDate, TryReadStoredDate};
  for (const ReadCase& c : UtcCases()) {
    for (size_t r = 0; r < 3; ++r) {
      const auto before = static_cast<int32_t>(std::time(nullptr));
      const int32_t got = readers[r](c.text);
      const auto after = static_cast<int32_t>(std::time(nullptr));
      if (std::optional<int32_t> value = try_readers[r](c.text)) {
        EXPECT_EQ(got, *value) << c.name << " reader " << r;
      } else {
        EXPECT_GE(got, before) << c.name << " reader " << r;
        EXPECT_LE(got, after) << c.name << " reader " << r;
      }
    }
  }
}

// A date cut short before its required parts is not a date; once every part is there the value
// no longer changes. In between, a shorter last number is read as it stands.
TEST(DateReadersTest, TruncatedDatesDoNotMatchUntilComplete) {
  ScopedTimeZone zone(kUtc);
  const struct {
    Reader reader;
    std::string text;
    size_t first_match_length;
    size_t complete_length;
    int32_t expected;
  } cases[] = {
      {TryReadRfc822Date, "Mon, 05 Jan 2004 10:20:30 GMT", 26, 26, kJan5At1020},
      {TryReadIsoDate, "2004-01-05T10:20:30Z", 15, 16, kJan5At1020},
      {TryReadStoredDate, "[2004.01.05 10:20]", 10, 18, kJan5At1020},
  };
  for (const auto& c : cases) {
    for (size_t length = 0; length <= c.text.size(); ++length) {
      const std::string prefix = c.text.substr(0, length);
      const std::optional<int32_t> got = c.reader(prefix);
      if (length < c.first_match_length) {
        EXPECT_FALSE(got.has_value()) << prefix;
      } else if (length >= c.complete_length) {
        EXPECT_EQ(got, c.expected) << prefix;
      } else {
        EXPECT_TRUE(got.has_value()) << prefix;
      }
    }
  }
}

TEST(DateReadersTest, HugeNumbersGiveTheFailureValue) {
  ScopedTimeZone zone(kUtc);
  const std::string huge = "99999999999999999999999999";
  const std::string texts[] = {
      "Mon, " + huge + " Jan 2004 10:20:30 GMT",
      "Mon, 05 Jan " + huge + " 10:20:30 GMT",
      "Mon, 05 Jan 2004 " + huge + ":" + huge + ":" + huge + " GMT",
      huge + "-01-05T10:20",
      "2004-" + huge + "-" + huge + "T" + huge + ":" + huge,
      "[" + huge + "." + huge + "." + huge + " " + huge + ":" + huge + "]",
      "2147483647.2147483647.2147483647 2147483647:2147483647]",
  };
  for (const std::string& text : texts) {
    EXPECT_EQ(TryReadStoredDate(text), kUnrepresentable) << text;
  }
}

// Arbitrary bytes, date-like fragments and zero bytes: every reader returns without fault, and
// whatever matched is a representable time or the failure value.
TEST(DateReadersTest, RandomBytesAreHarmless) {
  ScopedTimeZone zone(kUtc);
  const std::vector<std::string> pieces = {"Mon, ", "05",
                                           " ",     "Jan",
                                           "2004",  ":",
                                           "-",     "T",
                                           ".",     "[",
                                           "]",     ",",
                                           "\t",    std::string(1, '\0'),
                                           "\xFF",  "999999999999",
                                           "a",     "\r\n"};
  std::mt19937 random(20040105);
  for (int round = 0; round < 1000; ++round) {
    std::string text;
    const int count = static_cast<int>(random() % 16);
    for (int i = 0; i < count; ++i) {
      if (random() % 4 == 0) {
        text += static_cast<char>(random() % 256);
      } else {
        text += pieces[random() % pieces.size()];
      }
    }
    for (Reader reader : {TryReadRfc822Date, TryReadIsoDate, TryReadStoredDate}) {
      if (std::optional<int32_t> value = reader(text)) {
        EXPECT_GE(*value, kUnrepresentable);
      }
    }
  }
}

TEST(DateReadersTest, ManyThreadsReadAtOnce) {
  ScopedTimeZone zone(kUtc);
  std::vector<std::optional<int32_t>> expected;
  for (const ReadCase& c : UtcCases()) expected.push_back(c.reader(c.text));
  std::vector<int> mismatches(4, 0);
  std::vector<std::thread> threads;
  for (size_t t = 0; t < mismatches.size(); ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 40; ++round) {
        for (size_t i = 0; i < UtcCases().size(); ++i) {
          const ReadCase& c = UtcCases()[i];
          if (c.reader(c.text) != expected[i]) ++mismatches[t];
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int count : mismatches) EXPECT_EQ(count, 0);
}

}  // namespace
}  // namespace tarsel
