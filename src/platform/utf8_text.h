#pragma once

// UTF-8 building blocks shared by every area: strict decoding, repair of malformed text, and
// lengths and cuts counted in characters. Pure functions; any thread.
//
// "Program text" is in the program's code page, which is either UTF-8 or a single-byte page.
// The character-counting functions below take either: a text that is valid UTF-8 is counted in
// UTF-8 characters, any other text one character per byte. Real single-byte text (Cyrillic,
// Central European, Western) is practically never valid UTF-8, so no code page is needed.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarsel {

inline constexpr uint32_t kReplacementCharacter = 0xFFFD;

// Appends the UTF-8 bytes of `code_point` (at most U+10FFFF; larger values and surrogates give
// U+FFFD).
void AppendUtf8(uint32_t code_point, std::string& out);

// The length of the well-formed UTF-8 sequence at `at` (shortest form, no surrogates, at most
// U+10FFFF), with its code point; 0 when the bytes there are malformed or cut off, and then
// `bad_length` (at least 1) is the length of the malformed part that one U+FFFD stands for (the
// lead byte and the continuation bytes that could still have belonged to it).
size_t DecodeUtf8(std::string_view text, size_t at, uint32_t& code_point, size_t& bad_length);

// Whether every sequence is well-formed in the strict sense of DecodeUtf8.
bool IsStrictUtf8(std::string_view text);

// `text` with each malformed part (overlong forms, surrogates, cut sequences, bytes C0, C1 and
// F5-FF, stray continuation bytes) replaced by U+FFFD. Valid text comes back unchanged.
std::string RepairUtf8(std::string_view text);

// The number of characters of program text (see above).
size_t CountCharacters(std::string_view text);

// The longest start of program text that holds at most `max_characters` characters. A UTF-8
// text is never cut inside a sequence.
std::string_view Utf8Prefix(std::string_view text, size_t max_characters);

// The largest cut position at or below `max_bytes` that does not split a UTF-8 sequence: backs
// over at most three continuation bytes. Single-byte text may lose up to three bytes more than
// needed, which a byte cap tolerates.
size_t CharacterBoundaryAtOrBefore(std::string_view text, size_t max_bytes);

}  // namespace tarsel
