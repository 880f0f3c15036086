#include "view/tray_tooltip.h"

#include "platform/utf8_text.h"

namespace tarsel {

std::string CutToCharacters(std::string_view text, size_t max_characters) {
  return std::string(Utf8Prefix(text, max_characters));
}

}  // namespace tarsel
