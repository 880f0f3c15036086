#pragma once

namespace tarsel {

// The product name and version as the program shows them in titles and the agent name.
inline constexpr const char* kProductName = "Tarsel";
inline constexpr const char* kProductVersion = "2.0 build 158";

}  // namespace tarsel
