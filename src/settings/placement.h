#pragma once

// The main window's placement as settings.xml keeps it: ten decimal integers in the form
// "flags show (min_x,min_y) (max_x,max_y) (left,top,right,bottom)", e.g.
// "0 1 (-1,-1) (-1,-1) (10,20,800,600)". Plain ASCII; any thread.

#include <cstdint>
#include <string>
#include <string_view>

namespace tarsel {

struct WindowPlacement {
  int32_t flags = 0;
  int32_t show_command = 0;
  int32_t min_x = 0;  // position when minimized
  int32_t min_y = 0;
  int32_t max_x = 0;  // position when maximized
  int32_t max_y = 0;
  int32_t left = 0;  // the normal rectangle
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  bool operator==(const WindowPlacement&) const = default;
};

std::string FormatPlacement(const WindowPlacement& placement);

// Takes ten integers in sequence, each an optional '-' and decimal digits; after each integer,
// bytes from ' ' to '/' other than '-' are skipped as separators. Integers that cannot be read
// are 0 (an empty text gives all zeros); values beyond 32 bits are clamped.
WindowPlacement ParsePlacement(std::string_view text);

}  // namespace tarsel
