#include "view/tray_tooltip.h"

#include "platform/utf8_text.h"
#include "view/string_table.h"
#include "view/text_format.h"

namespace tarsel {

std::string CutToCharacters(std::string_view text, size_t max_characters) {
  return std::string(Utf8Prefix(text, max_characters));
}

std::string QueueStatusText(int running, int waiting) {
  return FillNumber(FillNumber(GetText(kTextQueueStatus), running), waiting);
}

std::string QueueTooltipText(const std::string& status, int unread) {
  return status + FillNumber(GetText(kTextQueueUnread), unread);
}

}  // namespace tarsel
