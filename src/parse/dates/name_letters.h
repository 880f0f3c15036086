#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarsel {

// One character of a date text, as a Unicode code point, and the bytes it took.
struct TextLetter {
  uint32_t code_point = 0;
  size_t length = 0;  // 0 only at the end of the text
};

// The character at `position` of `text` in `code_page`: UTF-8 (65001), or 1250, 1251 or 1252 (any
// other value counts as 1252). A byte that is no letter of the page, and every malformed UTF-8
// part, gives U+FFFD, which no name holds.
TextLetter LetterAt(std::string_view text, size_t position, int code_page);

// The form two spellings of a name are compared in: lower case, and for Greek without its tonos
// and dialytika (capitals are written without them, "ΔΕΚ" for "Δεκ"), the final sigma as any
// other. Latin, Greek and Cyrillic letters; anything else is returned as it is.
uint32_t FoldLetter(uint32_t code_point);

}  // namespace tarsel
