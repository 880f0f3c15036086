#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "parse/dates/pattern.h"

namespace tarsel {

// The three compiled date patterns. One process-wide instance, built on first use (start-up
// touches it before any feed is read) and never changed afterwards, so every thread may read it.
class DatePatterns {
 public:
  static const DatePatterns& Instance();

  // "Mon, 05 Jan 2004 10:20:30 GMT": groups day, month name, year, hour, minute, second.
  const Pattern& rfc822() const { return rfc822_; }
  // "2004-01-05T10:20...": groups year, month, day, hour, minute.
  const Pattern& iso8601() const { return iso8601_; }
  // "[2004.01.05 10:20]" or "2004.01.05": groups year, month, day, hour, minute.
  const Pattern& bracket() const { return bracket_; }

 private:
  DatePatterns();
  Pattern rfc822_;
  Pattern iso8601_;
  Pattern bracket_;
};

// Date readers. Each takes any byte string and returns seconds since 1970-01-01 00:00 UTC for
// the date read as local time (daylight saving decided by the C runtime; seconds and zone
// suffixes are ignored). Fields out of range carry over as mktime carries them. A date the
// 32-bit time cannot hold (before 1970, after January 2038) gives -1.
// The Read* forms give the current time when the text does not match; the TryRead* forms give
// nullopt then. All are safe to call from any thread.

// RSS pubDate style: "Mon, 05 Jan 2004 10:20:30 GMT". A two- or three-digit year counts from
// 2000; an unknown month name counts as unreadable.
int32_t ReadRfc822Date(std::string_view text);
std::optional<int32_t> TryReadRfc822Date(std::string_view text);

// dc:date and Atom style: "2004-01-05T10:20:30Z"; the 'T', hour and minute are required.
int32_t ReadIsoDate(std::string_view text);
std::optional<int32_t> TryReadIsoDate(std::string_view text);

// Dates that old column stores keep as text: the bracket form "[2004.01.05 10:20]" (also
// without brackets and without the time), else the ISO form, else the RFC 822 form.
int32_t ReadStoredDate(std::string_view text);
std::optional<int32_t> TryReadStoredDate(std::string_view text);

}  // namespace tarsel
