// Dates old column stores keep as text: the reader of their day, kept so that each reads back
// exactly as it always did (local time, seconds and zones ignored, fields carried over).

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "parse/dates/date_readers.h"
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

// Old stores were written for the reader of their day: every form it read, as it read it (seconds
// and zones ignored, local time, fields carried over, -1 past what 32 bits hold).
const std::vector<ReadCase>& UtcCases() {
  static const std::vector<ReadCase> cases = {
      {"bracket form", TryReadStoredDate, "[2004.01.05 10:20]", kJan5At1020},
      {"tab before the time", TryReadStoredDate, "[2004.01.05\t10:20]", kJan5At1020},
      {"date only is midnight", TryReadStoredDate, "2004.01.05", kJan5Midnight},
      {"unclosed time is dropped", TryReadStoredDate, "[2004.01.05 10:20", kJan5Midnight},
      {"bracket before iso", TryReadStoredDate, "2004-07-05T10:20 2004.01.05", kJan5Midnight},
      {"iso: seconds and offset ignored", TryReadStoredDate, "2004-01-05T10:20:30+02:00",
       kJan5At1020},
      {"iso: inside other text", TryReadStoredDate, "at 2004-01-05T10:20:30.25Z", kJan5At1020},
      {"iso: month 13 carries", TryReadStoredDate, "2004-13-05T10:20", kJan5At1020NextYear},
      {"iso: year as written", TryReadStoredDate, "04-01-05T10:20", kUnrepresentable},
      {"iso: before 1970", TryReadStoredDate, "1969-12-31T23:59", kUnrepresentable},
      {"iso: date without time", TryReadStoredDate, "2004-01-05", std::nullopt},
      {"rfc: seconds and zone ignored", TryReadStoredDate, "Mon, 05 Jan 2004 10:20:59 -0500",
       kJan5At1020},
      {"rfc: two-digit year", TryReadStoredDate, "Mon, 05 Jan 04 10:20:30 GMT", kJan5At1020},
      {"rfc: text before the weekday", TryReadStoredDate, "posted, Mon, 05 Jan 2004 10:20:30 GMT",
       kJan5At1020},
      {"rfc: december", TryReadStoredDate, "Fri, 05 Dec 2003 10:20:30 GMT", kDec5At1020},
      {"rfc: day past month end carries", TryReadStoredDate, "Mon, 32 Jan 2004 10:20:30 GMT",
       kFeb1At1020},
      {"rfc: last minute of 32 bits", TryReadStoredDate, "Tue, 19 Jan 2038 03:14:00 GMT",
       kLastMinuteOf32Bits},
      {"rfc: after 2038", TryReadStoredDate, "Tue, 19 Jan 2038 03:15:00 GMT", kUnrepresentable},
      {"rfc: three-digit year counts from 2000", TryReadStoredDate, "Mon, 05 Jan 005 10:20:30 GMT",
       kJan5At1020NextYear},
      {"rfc: no comma before the day", TryReadStoredDate, "05 Jan 2004 10:20:30 GMT", std::nullopt},
      {"rfc: no seconds", TryReadStoredDate, "Mon, 05 Jan 2004 10:20 GMT", std::nullopt},
      {"rfc: long month name", TryReadStoredDate, "Mon, 05 January 2004 10:20:30 GMT",
       std::nullopt},
      {"twelve-hour text is not read", TryReadStoredDate, "01/05/2004 03:04:09 PM", std::nullopt},
      {"empty", TryReadStoredDate, "", std::nullopt},
  };
  return cases;
}

TEST(StoredDateTest, ReadsEachFormAsLocalTime) {
  ScopedTimeZone zone(kUtc);
  for (const ReadCase& c : UtcCases()) EXPECT_EQ(c.reader(c.text), c.expected) << c.name;
}

TEST(StoredDateTest, OtherZoneFollowsItsDaylightSaving) {
  ScopedTimeZone zone(kCentralEurope);
  const struct {
    const char* name;
    Reader reader;
    const char* text;
    int32_t expected;
  } cases[] = {
      {"rfc winter", TryReadStoredDate, "Mon, 05 Jan 2004 10:20:30 GMT", kJan5At1020 - 3600},
      {"rfc summer", TryReadStoredDate, "Mon, 05 Jul 2004 10:20:30 GMT", kJul5At1020 - 7200},
      {"iso summer", TryReadStoredDate, "2004-07-05T10:20:30Z", kJul5At1020 - 7200},
      {"bracket winter", TryReadStoredDate, "[2004.01.05 10:20]", kJan5At1020 - 3600},
      {"local epoch is before 1970 in UTC", TryReadStoredDate, "1970-01-01T00:00",
       kUnrepresentable},
  };
  for (const auto& c : cases) EXPECT_EQ(c.reader(c.text), c.expected) << c.name;
}

// Every short month name, in the case old stores wrote it and in upper case.
TEST(StoredDateTest, AllTwelveMonths) {
  ScopedTimeZone zone(kUtc);
  constexpr int32_t kFifthAt1020[] = {1073298000, 1075976400, 1078482000, 1081160400,
                                      1083752400, 1086430800, 1089022800, 1091701200,
                                      1094379600, 1096971600, 1099650000, 1102242000};
  constexpr const char* kNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "DEC"};
  for (int m = 0; m < 12; ++m) {
    const std::string text = std::string("Mon, 05 ") + kNames[m] + " 2004 10:20:30 GMT";
    EXPECT_EQ(TryReadStoredDate(text), kFifthAt1020[m]) << text;
  }
}

// The Read* forms give the current time exactly where the TryRead* forms find nothing.
TEST(StoredDateTest, UnreadableTextGivesCurrentTime) {
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
TEST(StoredDateTest, TruncatedDatesDoNotMatchUntilComplete) {
  ScopedTimeZone zone(kUtc);
  const struct {
    Reader reader;
    std::string text;
    size_t first_match_length;
    size_t complete_length;
    int32_t expected;
  } cases[] = {
      {TryReadStoredDate, "Mon, 05 Jan 2004 10:20:30 GMT", 26, 26, kJan5At1020},
      {TryReadStoredDate, "2004-01-05T10:20:30Z", 15, 16, kJan5At1020},
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

TEST(StoredDateTest, HugeNumbersGiveTheFailureValue) {
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
TEST(StoredDateTest, RandomBytesAreHarmless) {
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

TEST(StoredDateTest, ManyThreadsReadAtOnce) {
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
