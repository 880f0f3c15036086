#include "view/tray_tooltip.h"

namespace tarsel {

std::string CutToCharacters(std::string_view text, size_t max_characters) {
  size_t characters = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const bool continuation = (byte & 0xC0) == 0x80;
    if (!continuation && characters++ == max_characters) return std::string(text.substr(0, i));
  }
  return std::string(text);
}

}  // namespace tarsel
