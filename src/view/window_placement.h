#pragma once

// The main window's saved placement (the `placement` setting) and when it may be applied.
// Any thread; plain ASCII.

#include <optional>
#include <string_view>

#include "settings/placement.h"

namespace tarsel {

// The window's rectangle before any saved placement applies: left 125, top 80, right 888,
// bottom 671.
inline constexpr WindowPlacement kDefaultPlacement{0, 1, -1, -1, -1, -1, 125, 80, 888, 671};

// Show commands of a placement as the window keeps them.
inline constexpr int32_t kShowNormal = 1;
inline constexpr int32_t kShowMinimized = 2;
inline constexpr int32_t kShowMaximized = 3;

// The saved placement when it may be applied on a primary screen of the given size: the text
// is not empty, and its normal rectangle is not empty and overlaps (0, 0, width, height).
// Garbage reads as zeros and so is never applied.
std::optional<WindowPlacement> UsablePlacement(std::string_view text, int screen_width,
                                               int screen_height);

}  // namespace tarsel
