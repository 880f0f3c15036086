#pragma once

#include <array>
#include <string_view>

#include "platform/system_code_page.h"

namespace tarsel {

// The words one language writes in dates besides digits. Every entry lists the spellings of one
// name separated by '|', in UTF-8 and lower case; reading ignores case (and, in Greek, accents,
// which capitals drop). Spellings are whole words: nothing is read from a prefix, so a name no
// entry lists is never taken for a near one. A language's names are tried before the English
// ones, so no spelling may be an English name of another month ("mar" for anything but March).
struct DateNames {
  std::string_view codes;                    // ISO 639 codes of the language, '|' between them
  std::array<std::string_view, 12> months;   // January first; abbreviations may end in a point
  std::array<std::string_view, 7> weekdays;  // Sunday first; only ever skipped or compared
  std::string_view before_noon;              // the meridiem words of the twelve-hour clock
  std::string_view after_noon;
  // The form that starts with the year ("2024. december 3.", "2024년 12월 3일"): the marks written
  // after the year and after the day. Empty when the language has no such form.
  std::string_view year_mark;
  std::string_view day_mark;
};

// What a feed's date texts may hold besides the English names, passed down from the feed reader
// to the date readers for one document (or one entry).
struct DateLanguage {
  // The names of the feed's declared language; nullptr when it declared none, or one without
  // a table: then only the English names are read.
  const DateNames* names = nullptr;
  // The code page the texts are in: UTF-8, or the single-byte page (1250, 1251, 1252) the body
  // was converted to; its letters are compared as the characters they stand for.
  int code_page = kCodePageUtf8;
};

// The date language of a feed that declares `language_tag` (RSS <language>, dc:language, xml:lang:
// "el", "hu-HU", "ko_KR", any case, blanks around) and whose texts are in `code_page`. Only the
// primary subtag counts; an unknown or empty one gives the English names alone.
DateLanguage DateLanguageFor(std::string_view language_tag, int code_page);

}  // namespace tarsel
