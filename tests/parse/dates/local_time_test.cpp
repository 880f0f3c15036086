#include "parse/dates/local_time.h"

#include <gtest/gtest.h>

#include <climits>
#include <ctime>

#include "parse/dates/scoped_time_zone.h"

namespace tarsel {
namespace {

using testing::ScopedTimeZone;

int32_t ThroughMktime(const LocalFields& fields) {
  std::tm broken{};
  broken.tm_year = fields.year - 1900;
  broken.tm_mon = fields.month - 1;
  broken.tm_mday = fields.day;
  broken.tm_hour = fields.hour;
  broken.tm_min = fields.minute;
  broken.tm_isdst = -1;
  const std::time_t seconds = std::mktime(&broken);
  return seconds < 0 || seconds > INT32_MAX ? -1 : static_cast<int32_t>(seconds);
}

// The cheap way must give what mktime gives, the hours around a change of offset included.
TEST(LocalToTimeTest, AgreesWithMktime) {
  const LocalFields cases[] = {
      {2004, 1, 5, 10, 20},  {2004, 7, 5, 10, 20},   {2021, 3, 28, 1, 59},
      {2021, 3, 28, 2, 30},  {2021, 3, 28, 3, 0},    {2021, 10, 31, 1, 59},
      {2021, 10, 31, 2, 30}, {2021, 10, 31, 3, 0},   {2021, 10, 30, 23, 0},
      {2004, 13, 1, 0, 0},   {2004, 0, 1, 0, 0},     {2004, 3, 0, 25, 75},
      {1970, 1, 1, 0, 0},    {1969, 12, 31, 23, 59}, {2038, 1, 19, 3, 14},
      {2038, 1, 19, 4, 15},  {2100, 1, 1, 0, 0},     {INT_MAX, INT_MAX, INT_MAX, 0, 0},
  };
  for (const char* zone_name : {testing::kUtc, testing::kCentralEurope}) {
    ScopedTimeZone zone(zone_name);
    for (const LocalFields& fields : cases) {
      SCOPED_TRACE(::testing::Message()
                   << zone_name << " " << fields.year << "-" << fields.month << "-" << fields.day
                   << " " << fields.hour << ":" << fields.minute);
      EXPECT_EQ(LocalToTime(fields), ThroughMktime(fields));
    }
  }
}

// A zone changed at run time (with tzset, as the C runtime asks) is the one used.
TEST(LocalToTimeTest, FollowsAZoneChange) {
  const LocalFields noon{2004, 7, 5, 12, 0};
  int32_t in_utc = 0;
  {
    ScopedTimeZone zone(testing::kUtc);
    in_utc = LocalToTime(noon);
  }
  ScopedTimeZone zone(testing::kCentralEurope);
  EXPECT_EQ(LocalToTime(noon), in_utc - 2 * 3600);
}

}  // namespace
}  // namespace tarsel
