#pragma once

// Where the pop-up notice stands and how big it is, from measured text sizes and the screen's
// geometry. Pixels; rectangles in screen coordinates. No Qt here; any thread (pure functions).

#include <optional>

namespace tarsel {

struct NoticeRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  int Right() const { return left + width; }   // one past the last column
  int Bottom() const { return top + height; }  // one past the last row
  bool operator==(const NoticeRect&) const = default;
};

struct NoticeSize {
  int width = 0;
  int height = 0;
  bool operator==(const NoticeSize&) const = default;
};

// The fixed layout of the notice.
inline constexpr int kNoticeMarginX = 12;  // left and right of the text
inline constexpr int kNoticeMarginY = 10;  // above and below the text
inline constexpr int kNoticeIconGap = 5;   // between the icon and the text
inline constexpr int kNoticeMinHeight = 60;
inline constexpr int kNoticeCornerWidth = 12;  // the corner ellipse
inline constexpr int kNoticeCornerHeight = 10;
// However much text arrives, the notice stays readable at a glance: at most this high and this
// wide, and never more than a third of the screen's height (half its width).
inline constexpr int kNoticeMaxHeight = 320;
inline constexpr int kNoticeMaxWidth = 640;

// The largest notice the screen allows: the fixed caps, a third of the work area's height and
// half its width, but never below the minimum height.
NoticeSize NoticeSizeLimit(const NoticeRect& work_area);

// The notice around `text` (the measured size of the text it shows), with an optional icon:
// margins added, at least kNoticeMinHeight and the icon's height, clipped to `limit`.
NoticeSize LayoutNotice(NoticeSize text, std::optional<NoticeSize> icon, NoticeSize limit);

// How many of the last `line_count` lines fit in a notice no higher than `limit_height` with
// lines `line_height` pixels apart (at least one, when there is any line).
int VisibleLineCount(int line_count, int line_height, int limit_height);

enum class TaskbarEdge { kNone, kLeft, kTop, kRight, kBottom };

// The panel's edge: the widest strip between the screen and its work area (ties go to bottom,
// then right, top, left), judged as the shell's taskbar is: a taller-than-wide strip stands at
// the right when it reaches beyond the work area's right side, else at the left; a wider one at
// the bottom when it reaches beyond the work area's bottom, else at the top. kNone when the
// work area is the whole screen.
TaskbarEdge FindTaskbarEdge(const NoticeRect& screen, const NoticeRect& work_area);

// The notice's top-left corner on first appearance: the work area's bottom-right corner for a
// bottom or right panel, top-right for a top panel, bottom-left for a left panel. Without a
// panel the notice also goes to the bottom-right corner, where desktops put their notices.
NoticeRect PlaceNotice(TaskbarEdge edge, const NoticeRect& work_area, NoticeSize size);

// The notice grown or shrunk to `size` with its bottom edge in place, and the side that touches
// the work area's right edge (else its left side) too, kept within the work area.
NoticeRect GrowUpwards(const NoticeRect& shown, NoticeSize size, const NoticeRect& work_area);

}  // namespace tarsel
