#include "view/window_placement.h"

#include <algorithm>
#include <cstdint>

namespace tarsel {

std::optional<WindowPlacement> UsablePlacement(std::string_view text, int screen_width,
                                               int screen_height) {
  if (text.empty()) return std::nullopt;
  const WindowPlacement placement = ParsePlacement(text);
  // 64 bits: clamped 32-bit coordinates must not overflow the comparisons.
  const int64_t left = placement.left, top = placement.top;
  const int64_t right = placement.right, bottom = placement.bottom;
  if (right <= left || bottom <= top) return std::nullopt;
  const bool overlaps = left < screen_width && right > 0 && top < screen_height && bottom > 0;
  if (!overlaps) return std::nullopt;
  return placement;
}

}  // namespace tarsel
