#pragma once

// The text without the blanks (space, tab, CR, LF) at both ends; empty when it is all blanks.
// The view points into `text`.

#include <string_view>

namespace tarsel {

inline std::string_view TrimBlanks(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace tarsel
