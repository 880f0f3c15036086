#pragma once

// Filling the printf-style slots of a string-table text without printf: translated texts come
// from files, and a translator's stray "%n" or "%s" too many must not reach printf. Any thread.

#include <string>
#include <string_view>

namespace tarsel {

// Replaces the first "%s" of `format` with `value` (no slot: the format unchanged).
std::string FillText(std::string_view format, std::string_view value);
// Replaces the first "%d" with the decimal `number`.
std::string FillNumber(std::string_view format, long long number);

}  // namespace tarsel
