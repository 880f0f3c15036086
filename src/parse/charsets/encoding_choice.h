#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarsel {

// The user's character-set choice (settings field `encoding`). The numbers are fixed; 3 and 4 are
// unused. The settings file carries the names, never the numbers. A value outside the four named
// ones behaves as kAutomatic everywhere.
enum class EncodingChoice : int32_t {
  kAutomatic = 0,
  kWesternEurope = 1,
  kCyrillicWindows = 2,
  kCentralEuropean = 5,
};

// The program's code page: the one feed text is converted to, stored and shown in. Western
// Europe 1252, Cyrillic Windows 1251, Central European 1250; Automatic and any other value give
// the system's code page (SystemCodePage, read from the locale at each call): UTF-8 (65001,
// kCodePageUtf8) on a UTF-8 desktop, else 1250, 1251 or 1252.
int CodePageForEncoding(EncodingChoice choice);

// "Automatic", "Western Europe", "Cyrillic Windows", "Central European"; any other value gives
// "Automatic".
std::string_view EncodingChoiceName(EncodingChoice choice);

// The inverse of EncodingChoiceName, exact and case-sensitive; nothing for any other text.
std::optional<EncodingChoice> EncodingChoiceFromName(std::string_view name);

}  // namespace tarsel
