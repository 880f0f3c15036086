#include "view/notice_layout.h"

#include <algorithm>
#include <array>

namespace tarsel {

NoticeSize NoticeSizeLimit(const NoticeRect& work_area) {
  NoticeSize limit;
  limit.width = std::min(kNoticeMaxWidth, work_area.width / 2);
  limit.height = std::max(kNoticeMinHeight, std::min(kNoticeMaxHeight, work_area.height / 3));
  return limit;
}

NoticeSize LayoutNotice(NoticeSize text, std::optional<NoticeSize> icon, NoticeSize limit) {
  NoticeSize size{text.width + 2 * kNoticeMarginX, text.height + 2 * kNoticeMarginY};
  size.height = std::max(size.height, kNoticeMinHeight);
  if (icon) {
    size.width += icon->width + kNoticeIconGap;
    size.height = std::max(size.height, icon->height);
  }
  size.width = std::min(size.width, std::max(limit.width, 2 * kNoticeMarginX));
  size.height = std::min(size.height, std::max(limit.height, kNoticeMinHeight));
  return size;
}

int VisibleLineCount(int line_count, int line_height, int limit_height) {
  if (line_count <= 0) return 0;
  if (line_height <= 0) return line_count;
  const int fitting = (limit_height - 2 * kNoticeMarginY) / line_height;
  return std::clamp(fitting, 1, line_count);
}

namespace {

// The edge a taskbar rectangle stands at, judged against the work area.
TaskbarEdge EdgeOfTaskbar(const NoticeRect& taskbar, const NoticeRect& work_area) {
  if (taskbar.height > taskbar.width) {
    return taskbar.Right() > work_area.Right() ? TaskbarEdge::kRight : TaskbarEdge::kLeft;
  }
  return taskbar.Bottom() > work_area.Bottom() ? TaskbarEdge::kBottom : TaskbarEdge::kTop;
}

}  // namespace

TaskbarEdge FindTaskbarEdge(const NoticeRect& screen, const NoticeRect& work_area) {
  // The strips between the screen and its work area, in the order that wins a tie.
  const std::array<NoticeRect, 4> strips = {
      NoticeRect{screen.left, work_area.Bottom(), screen.width,
                 screen.Bottom() - work_area.Bottom()},
      NoticeRect{work_area.Right(), screen.top, screen.Right() - work_area.Right(), screen.height},
      NoticeRect{screen.left, screen.top, screen.width, work_area.top - screen.top},
      NoticeRect{screen.left, screen.top, work_area.left - screen.left, screen.height},
  };
  const NoticeRect* widest = nullptr;
  int widest_thickness = 0;
  for (const NoticeRect& strip : strips) {
    const int thickness = std::min(strip.width, strip.height);
    if (thickness > widest_thickness) {
      widest = &strip;
      widest_thickness = thickness;
    }
  }
  return widest == nullptr ? TaskbarEdge::kNone : EdgeOfTaskbar(*widest, work_area);
}

NoticeRect PlaceNotice(TaskbarEdge edge, const NoticeRect& work_area, NoticeSize size) {
  NoticeRect notice{0, 0, size.width, size.height};
  notice.left = edge == TaskbarEdge::kLeft ? work_area.left : work_area.Right() - size.width;
  notice.top = edge == TaskbarEdge::kTop ? work_area.top : work_area.Bottom() - size.height;
  return notice;
}

NoticeRect GrowUpwards(const NoticeRect& shown, NoticeSize size, const NoticeRect& work_area) {
  NoticeRect grown{shown.left, shown.Bottom() - size.height, size.width, size.height};
  if (shown.Right() >= work_area.Right()) grown.left = shown.Right() - size.width;
  grown.left = std::max(work_area.left, std::min(grown.left, work_area.Right() - size.width));
  grown.top = std::max(work_area.top, grown.top);
  return grown;
}

}  // namespace tarsel
