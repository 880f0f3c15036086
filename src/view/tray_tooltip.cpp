#include "view/tray_tooltip.h"

#include "view/string_table.h"

namespace tarsel {

std::string FormatNumbers(std::string_view format, std::initializer_list<long long> numbers) {
  std::string out;
  out.reserve(format.size() + 16);
  auto next = numbers.begin();
  size_t position = 0;
  while (position < format.size()) {
    const size_t mark = format.find("%d", position);
    if (mark == std::string_view::npos || next == numbers.end()) break;
    out.append(format.substr(position, mark - position));
    out += std::to_string(*next++);
    position = mark + 2;
  }
  if (position < format.size()) out.append(format.substr(position));
  return out;
}

std::string CutToCharacters(std::string_view text, size_t max_characters) {
  size_t characters = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const bool continuation = (byte & 0xC0) == 0x80;
    if (!continuation && characters++ == max_characters) return std::string(text.substr(0, i));
  }
  return std::string(text);
}

QueueTexts MakeQueueTexts(int updating, int waiting, int unread) {
  QueueTexts texts;
  texts.status = FormatNumbers(GetText(kStatusUpdatingFormatId), {updating, waiting});
  texts.tooltip =
      CutToCharacters(texts.status + FormatNumbers(GetText(kTooltipUnreadFormatId), {unread}),
                      kTooltipMaxCharacters);
  return texts;
}

std::optional<QueueTexts> QueueTextsTracker::OnQueueTick(int updating, int waiting, int unread) {
  const std::pair<int, int> numbers{updating, waiting};
  if (shown_ == numbers) return std::nullopt;
  shown_ = numbers;
  return MakeQueueTexts(updating, waiting, unread);
}

std::optional<QueueTexts> QueueTextsTracker::OnUnreadChanged(int unread) const {
  if (!shown_) return std::nullopt;
  return MakeQueueTexts(shown_->first, shown_->second, unread);
}

}  // namespace tarsel
