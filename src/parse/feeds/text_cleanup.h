#pragma once

// Small text clean-ups applied to record titles. Texts are bytes in the program's code page.

#include <cstddef>
#include <string>

namespace tarsel {

// Shortens a summary to stand in for a missing title. A text shorter than `limit` characters
// (CountCharacters: UTF-8 characters, or bytes of a single-byte page) comes back unchanged.
// Otherwise it is cut at the first blank or full stop past character `limit` (when there is
// one), trailing white space goes, and "..." is appended, cut or not.
std::string ShortenText(const std::string& text, size_t limit);

// Line breaks and tabs become blanks and runs of blanks shrink to one, in place. A line break
// that follows a kept blank is dropped; one that follows anything else becomes a blank without
// counting as one, so "one\r\ntwo" becomes "one  two".
void CollapseBlanks(std::string& text);

}  // namespace tarsel
