#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "parse/charsets/encoding_choice.h"

// Conversions of feed text into the program's single-byte Windows code pages, with tables of
// our own. They work in place: one output byte per input character, so the output is never
// longer than the input. They never fail: a character the target lacks becomes a blank (0x20).
// When the program's code page is UTF-8, Utf8ToCodePage keeps the text and only mends
// malformed parts (legacy_charsets.h converts other character sets to UTF-8). All functions are
// pure and may be called from any thread.
namespace tarsel {

// Whether the bytes are well-formed UTF-8 (surrogate code points are not rejected). An empty
// text is valid.
bool IsValidUtf8(std::string_view bytes);

// Converts UTF-8 to the code page CodePageForEncoding(choice) gives. `length` is the byte count
// on entry and the number of characters written on return. A sequence cut off by the end of
// the text becomes one blank; malformed sequences decode to whatever their bits give, which
// normally maps to a blank. When that code page is UTF-8 the text stays, each malformed part
// becoming one blank (buffer form) or U+FFFD (string form).
void Utf8ToCodePage(char* bytes, size_t& length, EncodingChoice choice);
void Utf8ToCodePage(std::string& text, EncodingChoice choice);

// KOI8-R (with the Ukrainian and Belarusian letters of KOI8-RU) to Windows-1251, byte for byte
// in place. The string form then cuts the string at its first zero byte.
void Koi8ToCp1251(char* bytes, size_t length);
void Koi8ToCp1251(std::string& text);

// ISO-8859-2 to Windows-1250, byte for byte in place; 0x80-0x9F become blanks. The string form
// then cuts the string at its first zero byte.
void Iso88592ToCp1250(char* bytes, size_t length);
void Iso88592ToCp1250(std::string& text);

// One code point (only its low 16 bits count) to one byte of the code page; a blank when the
// code page lacks the character.
uint8_t UnicodeToCp1251(uint32_t code_point);
uint8_t UnicodeToCp1250(uint32_t code_point);
uint8_t UnicodeToCp1252(uint32_t code_point);

}  // namespace tarsel
