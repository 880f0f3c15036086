#pragma once

#include <string>
#include <string_view>

// The system's single-byte code page and conversions between such a code page and UTF-8 for the
// places where text leaves the program (Qt, JSON). No Qt here. All functions may be called from
// any thread.
namespace tarsel {

// The code page of the user's locale: 1251 for Cyrillic languages, 1250 for Central European
// ones, otherwise 1252. The locale name is the first non-empty one of LC_ALL, LC_CTYPE and LANG,
// read at each call.
int SystemCodePage();

// The code page for a locale name such as "ru_RU.UTF-8", "pl_PL", "sr_RS@latin", "C" or "".
int CodePageForLocale(std::string_view locale_name);

// Single-byte text in code page 1250, 1251 or 1252 (any other value counts as 1252) to UTF-8.
// Positions the code page leaves undefined become the C1 control of the same value, as Windows
// does, so nothing is lost and the result is always valid UTF-8.
std::string CodePageToUtf8(std::string_view bytes, int code_page);

// UTF-8 (text typed in the user interface) to code page 1250, 1251 or 1252 (any other value counts
// as 1252). A character the code page lacks, and every malformed UTF-8 byte, becomes '?'.
std::string CodePageFromUtf8(std::string_view utf8, int code_page);

}  // namespace tarsel
