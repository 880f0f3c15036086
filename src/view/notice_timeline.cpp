#include "view/notice_timeline.h"

#include "view/tray_tooltip.h"

namespace tarsel {

NoticeTimeline::Change NoticeTimeline::Append(std::string_view text, int64_t now_ms) {
  if (text.empty()) return Change::kNone;
  const bool was_showing = Showing();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    lines_.push_back(CutToCharacters(text.substr(start, end - start), kNoticeLineCharacters));
    start = end + 1;
  }
  if (lines_.size() > kNoticeKeptLines) {
    lines_.erase(lines_.begin(), lines_.end() - static_cast<std::ptrdiff_t>(kNoticeKeptLines));
  }
  hide_at_ms_ = now_ms + kNoticeShowMs;
  return was_showing ? Change::kGrown : Change::kOpened;
}

bool NoticeTimeline::HideIfDue(int64_t now_ms) {
  if (!Showing() || now_ms < hide_at_ms_) return false;
  lines_.clear();
  return true;
}

std::string NoticeTimeline::Text() const {
  std::string text;
  for (const std::string& line : lines_) {
    if (!text.empty()) text += '\n';
    text += line;
  }
  return text;
}

}  // namespace tarsel
