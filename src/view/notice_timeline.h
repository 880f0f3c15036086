#pragma once

// The pop-up notice's text and timing, without the window: texts that arrive while the notice
// shows are appended to it, and the notice hides (and forgets its text) kNoticeShowMs after the
// last text. Time comes in as milliseconds from any steady clock, so tests drive it by hand.
// No Qt here; one object per notice, used on the window thread only.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel {

inline constexpr int64_t kNoticeShowMs = 4000;
// A burst of hostile text must not eat memory or time: the notice keeps the last lines only,
// each cut to a length nobody reads on a notice. What it keeps still fills its largest size.
inline constexpr size_t kNoticeKeptLines = 200;
inline constexpr size_t kNoticeLineCharacters = 300;

class NoticeTimeline {
 public:
  enum class Change {
    kOpened,  // the notice was empty: show it with a fresh placement
    kGrown,   // the notice was showing: its text grew, its bottom edge stays
    kNone,    // nothing to show (an empty text)
  };

  // Appends `text` (lines ended by '\n'; a last line without one counts as a line) and restarts
  // the hide time.
  Change Append(std::string_view text, int64_t now_ms);

  bool Showing() const { return !lines_.empty(); }
  // When the notice is to hide; meaningless while it is not showing.
  int64_t HideAtMs() const { return hide_at_ms_; }
  // Hides the notice (clearing its text) when its time is up; true when it did.
  bool HideIfDue(int64_t now_ms);
  void Clear() { lines_.clear(); }

  // The kept lines, oldest first, without their line feeds.
  const std::vector<std::string>& Lines() const { return lines_; }
  // The kept lines joined with '\n'.
  std::string Text() const;

 private:
  std::vector<std::string> lines_;
  int64_t hide_at_ms_ = 0;
};

}  // namespace tarsel
