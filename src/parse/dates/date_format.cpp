#include "parse/dates/date_format.h"

#include <cstdio>
#include <ctime>
#include <string>

namespace tarsel {

namespace {

template <typename... Args>
std::string Printf(const char* format, Args... args) {
  char buffer[96];
  const int length = std::snprintf(buffer, sizeof buffer, format, args...);
  if (length < 0) return {};
  return std::string(buffer,
                     static_cast<size_t>(length) < sizeof buffer ? length : sizeof buffer - 1);
}

struct TwelveHour {
  int hour;
  const char* suffix;
};

// 13 to 23 become 1 to 11 PM; 0 stays "00" AM, as does every other value (a duration's hours
// may run past a day).
TwelveHour ToTwelveHour(int hour) {
  if (hour >= 13 && hour <= 23) return {hour - 12, "PM"};
  return {hour, "AM"};
}

std::string FormatClock(int hour, int minute, int second, bool twelve_hour) {
  if (!twelve_hour) return Printf("%02d:%02d:%02d", hour, minute, second);
  const TwelveHour clock = ToTwelveHour(hour);
  return Printf("%02d:%02d:%02d %s", clock.hour, minute, second, clock.suffix);
}

std::string FormatBrokenDown(const std::tm& local, int style) {
  const int year = local.tm_year + 1900;
  const int yy = year % 100;
  const int month = local.tm_mon + 1;
  const int day = local.tm_mday;
  switch (style) {
    case 0:
      return Printf("%02d/%02d/%02d", month, day, yy);
    case 1:
      return Printf("%02d/%02d/%02d", day, month, yy);
    case 2:
      return Printf("%02d/%02d/%02d", yy, month, day);
    case 3:
      return Printf("%02d/%02d/%04d", month, day, year);
    case 4:
      return Printf("%02d/%02d/%04d", day, month, year);
    case 5:
      return Printf("%04d/%02d/%02d", year, month, day);
    case 6:
      return FormatClock(local.tm_hour, local.tm_min, local.tm_sec, false);
    case 7:
      return FormatClock(local.tm_hour, local.tm_min, local.tm_sec, true);
    case 8:
      return FormatBrokenDown(local, 0) + " " + FormatBrokenDown(local, 6);
    case 9:
      return FormatBrokenDown(local, 3) + " " + FormatBrokenDown(local, 7);
    default:
      return {};
  }
}

bool ToLocal(int32_t time, std::tm& local) {
  const std::time_t seconds = time;
  return localtime_r(&seconds, &local) != nullptr;
}

}  // namespace

std::string FormatDate(int32_t time, int style) {
  // Negative times stand for "never" as zero does (a settings date that could not be read).
  std::tm local{};
  if (time <= 0 || !ToLocal(time, local)) return kNoDateText;
  return FormatBrokenDown(local, style);
}

std::string FormatDuration(int32_t seconds, int style) {
  const int hours = seconds / 3600;
  const int minutes = seconds / 60 - hours * 60;
  const int rest = seconds % 60;
  if (style == 6) return FormatClock(hours, minutes, rest, false);
  if (style == 7) return FormatClock(hours, minutes, rest, true);
  return {};
}

std::string FormatRecordStamp(int32_t time) {
  std::tm local{};
  if (!ToLocal(time, local)) return {};
  return Printf("[%d.%02d.%02d %02d:%02d]", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                local.tm_hour, local.tm_min);
}

}  // namespace tarsel
