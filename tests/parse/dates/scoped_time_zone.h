#pragma once

#include <ctime>
#include <optional>
#include <string>

#include "support/temp_dir.h"

namespace tarsel::testing {

// Switches the process's local time zone for the life of the object and back afterwards.
// Only for single-threaded test bodies: the C runtime's zone is process-wide.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const std::string& zone) {
    env_.emplace("TZ", zone);
    tzset();
  }
  ~ScopedTimeZone() {
    env_.reset();
    tzset();
  }
  ScopedTimeZone(const ScopedTimeZone&) = delete;
  ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

 private:
  std::optional<ScopedEnv> env_;
};

inline constexpr char kUtc[] = "UTC0";
// Central Europe with its daylight saving rule written out, so no zone database is needed.
inline constexpr char kCentralEurope[] = "CET-1CEST,M3.5.0,M10.5.0/3";
// New York with the daylight saving rule of 1987 to 2006 (first Sunday of April to the last of
// October), which every date the tests read as New York time falls under.
inline constexpr char kNewYork[] = "EST5EDT,M4.1.0/2,M10.5.0/2";

}  // namespace tarsel::testing
