#pragma once

#include <string>
#include <string_view>

// The system's code page (UTF-8 or a single-byte Windows page) and conversions between the
// program's code page and UTF-8 for the places where text leaves the program (Qt, JSON). No Qt
// here. All functions may be called from any thread.
namespace tarsel {

// The number Windows gives UTF-8 as a code page.
inline constexpr int kCodePageUtf8 = 65001;

// The code page of the user's locale: UTF-8 when the locale's character set is UTF-8 (as
// Windows offers UTF-8 as its ANSI code page); otherwise 1251 for Cyrillic languages, 1250 for
// Central European ones and 1252 for the rest. The locale is the first non-empty one of LC_ALL,
// LC_CTYPE and LANG, read at each call, as setlocale(LC_ALL, "") would take it; its character set
// comes from the installed locale (nl_langinfo CODESET), or from the name when the locale is
// not installed.
int SystemCodePage();

// The code page for a locale name such as "ru_RU.UTF-8", "pl_PL", "sr_RS@latin", "C" or "", and
// the character set the locale uses ("UTF-8", "CP1251", "ANSI_X3.4-1968"...; empty: take it
// from the name).
int CodePageForLocale(std::string_view locale_name, std::string_view codeset = {});

// Program text in `code_page` to UTF-8. From UTF-8 each malformed part becomes U+FFFD. From
// 1250, 1251 or 1252 (any other value counts as 1252), positions the code page leaves undefined
// become the C1 control of the same value, as Windows does. The result is always valid UTF-8.
std::string CodePageToUtf8(std::string_view bytes, int code_page);

// UTF-8 (text typed in the user interface, command-line words) to `code_page`. To UTF-8 each
// malformed part becomes U+FFFD. To 1250, 1251 or 1252 (any other value counts as 1252), a
// character the code page lacks, and every malformed UTF-8 byte, becomes '?'.
std::string CodePageFromUtf8(std::string_view utf8, int code_page);

}  // namespace tarsel
