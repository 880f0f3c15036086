// Date forms beyond the mail and RFC 3339 ones that publishers write: asctime with its zone before
// the year, tz database Etc names, Central European and generic North American zone names, a comma
// after the month, slash dates after a weekday, and ISO 8601's two-digit-year and truncated forms
// (RFC 3339 appendix A). Each is read by both feed readers, under UTC and under New York's zone.

#include <gtest/gtest.h>

#include <ctime>
#include <optional>
#include <string>

#include "parse/dates/date_readers.h"
#include "scoped_time_zone.h"

namespace tarsel {
namespace {

using testing::kNewYork;
using testing::kUtc;
using testing::ScopedTimeZone;

constexpr int32_t kJan5At102030 = 1073298030;  // 2004-01-05 10:20:30 UTC, a Monday

struct DateCase {
  std::string text;
  std::optional<int32_t> expected;  // UTC seconds; nullopt: unreadable
};

void ExpectBothReaders(const DateCase& c) {
  EXPECT_EQ(TryReadRfc822Date(c.text), c.expected) << "pubDate: " << c.text;
  EXPECT_EQ(TryReadIsoDate(c.text), c.expected) << "dc:date: " << c.text;
}

TEST(DateFormsTest, ZonedFormsAreExact) {
  const DateCase cases[] = {
      {"Wed Aug 27 13:08:45 +0000 2008", 1219842525},
      {"Tue Dec  8 10:01:03 UTC 2026", 1796724063},
      {"Mon Jan 05 05:20:30 EST 2004", kJan5At102030},
      {"Mon, 05 Jan 2004 10:20:30 Etc/GMT", kJan5At102030},
      {"Mon, 05 Jan 2004 10:20:30 Etc/UTC", kJan5At102030},
      {"Mon, 05 Jan 2004 13:20:30 Etc/GMT-3", kJan5At102030},
      {"2004-01-05T05:20:30 Etc/GMT+5", kJan5At102030},
      {"Mon, 05 Jan 2004 10:20:30 Etc/Berlin", std::nullopt},
      {"Mon, 05 Jan 2004 11:20:30 CET", kJan5At102030},
      {"Mon, 05 Jan 2004 11:20:30 MEZ", kJan5At102030},
      {"Mon, 05 Jan 2004 12:20:30 MESZ", kJan5At102030},
      {"Mon, 05 Jan 2004 11:20:30 MET", kJan5At102030},
      {"Mon, 05 Jan 2004 12:20:30 MEST", kJan5At102030},
      {"Mon, 05 Jan 2004 12:20:30 CEST", kJan5At102030},
      {"Mon, 05 Jan 2004 05:20:30 ET", kJan5At102030},
      {"Mon, 05 Jan 2004 04:20:30 CT", kJan5At102030},
      {"Mon, 05 Jan 2004 03:20:30 MT", kJan5At102030},
      {"2004-01-05T02:20:30 PT", kJan5At102030},
      {"Mon, 05 Jul 2004 06:20:30 ET", 1089022830},
      // Summer time's edges: since 2007 the second Sunday of March and the first of November.
      {"Sun, 08 Mar 2026 01:59:00 ET", 1772953140},
      {"Sun, 08 Mar 2026 03:00:00 ET", 1772953200},
      {"Sun, 01 Nov 2026 00:30:00 ET", 1793507400},
      {"Sun, 01 Nov 2026 01:30:00 ET", 1793514600},
      // Before 2007, the first Sunday of April (2004-04-04).
      {"Sun, 04 Apr 2004 01:30:00 ET", 1081060200},
      {"Sun, 04 Apr 2004 03:30:00 ET", 1081063800},
      {"Mon, 05 Jan, 2004 10:20:30 GMT", kJan5At102030},
      {"Jan, 05 2004 10:20:30 GMT", kJan5At102030},
      // Slash dates: the weekday tells month-first from day-first when both fit.
      {"Mon, 01/05/2004 - 10:20:30 GMT", kJan5At102030},
      {"Mon, 05/01/2004 10:20:30 GMT", kJan5At102030},
      {"Tue, 13/01/2004 10:20:30 GMT", 1073989230},
      {"Mon, 2004/01/05 10:20:30 GMT", kJan5At102030},
      {"Tue, 01/05/2004 10:20:30 GMT", std::nullopt},
      {"Mon, 13/13/2004 10:20:30 GMT", std::nullopt},
      // ISO 8601 with a two-digit year.
      {"04-01-05T10:20:30Z", kJan5At102030},
      {"040105T102030Z", kJan5At102030},
      {"04-005T10:20:30Z", kJan5At102030},
      {"04005T102030Z", kJan5At102030},
      {"99-01-05T10:20:30Z", 915531630},
      {"04-13-05T10:20:30Z", std::nullopt},
  };
  for (const char* zone_name : {kUtc, kNewYork}) {
    ScopedTimeZone zone(zone_name);
    SCOPED_TRACE(zone_name);
    for (const DateCase& c : cases) ExpectBothReaders(c);
  }
}

int32_t UtcSeconds(int year, int month, int day) {
  std::tm parts{};
  parts.tm_year = year - 1900;
  parts.tm_mon = month - 1;
  parts.tm_mday = day;
  parts.tm_hour = 10;
  parts.tm_min = 20;
  parts.tm_sec = 30;
  return static_cast<int32_t>(timegm(&parts));
}

// The parts a truncated date leaves out are today's.
TEST(DateFormsTest, TruncatedFormsTakeTodaysParts) {
  ScopedTimeZone zone(kUtc);
  const std::time_t now = std::time(nullptr);
  std::tm today{};
  gmtime_r(&now, &today);
  const int year = today.tm_year + 1900;
  const int month = today.tm_mon + 1;
  const DateCase cases[] = {
      {"--01-05T10:20:30Z", UtcSeconds(year, 1, 5)},
      {"--0105T10:20:30Z", UtcSeconds(year, 1, 5)},
      {"---05T10:20:30Z", UtcSeconds(year, month, 5)},
      {"-005T10:20:30Z", UtcSeconds(year, 1, 5)},
      {"-04-01T10:20:30Z", UtcSeconds(2004, 1, 1)},
      {"-0401T10:20:30Z", UtcSeconds(2004, 1, 1)},
      {"--13-05T10:20:30Z", std::nullopt},
      {"---5T10:20:30Z", std::nullopt},
  };
  for (const DateCase& c : cases) ExpectBothReaders(c);
}

}  // namespace
}  // namespace tarsel
