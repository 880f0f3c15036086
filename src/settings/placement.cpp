#include "settings/placement.h"

#include <cstdio>
#include <limits>

namespace tarsel {

std::string FormatPlacement(const WindowPlacement& p) {
  char buffer[160];
  std::snprintf(buffer, sizeof(buffer), "%d %d (%d,%d) (%d,%d) (%d,%d,%d,%d)", p.flags,
                p.show_command, p.min_x, p.min_y, p.max_x, p.max_y, p.left, p.top, p.right,
                p.bottom);
  return buffer;
}

namespace {

// Reads "-?[0-9]*" at `pos`, then skips the separators after it.
int32_t ReadPlacementInteger(std::string_view text, size_t& pos) {
  bool negative = pos < text.size() && text[pos] == '-';
  if (negative) ++pos;
  int64_t value = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    if (value <= std::numeric_limits<int32_t>::max()) value = value * 10 + (text[pos] - '0');
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) value = std::numeric_limits<int32_t>::min();
  while (pos < text.size() && text[pos] >= 0x20 && text[pos] <= 0x2F && text[pos] != '-') ++pos;
  return static_cast<int32_t>(value);
}

}  // namespace

WindowPlacement ParsePlacement(std::string_view text) {
  WindowPlacement p;
  size_t pos = 0;
  for (int32_t* field : {&p.flags, &p.show_command, &p.min_x, &p.min_y, &p.max_x, &p.max_y, &p.left,
                         &p.top, &p.right, &p.bottom}) {
    *field = ReadPlacementInteger(text, pos);
  }
  return p;
}

}  // namespace tarsel
