#pragma once

#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "html/node.h"

// Pieces of cleaned HTML and plain text shared by the tree renderings and the streaming ones.
namespace tarsel::HTML {

// Where the first of `Specials` is among the 16 bytes at `at`; 16 when none. SSE2 compares
// them all at once (every x86-64 processor has it).
template <char... Specials>
unsigned FirstOfSixteen(const char* at) {
#if defined(__SSE2__)
  const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
  __m128i found = _mm_setzero_si128();
  ((found = _mm_or_si128(found, _mm_cmpeq_epi8(chunk, _mm_set1_epi8(Specials)))), ...);
  const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(found));
  return mask == 0 ? 16 : static_cast<unsigned>(__builtin_ctz(mask));
#else
  for (unsigned i = 0; i < 16; ++i) {
    if (((at[i] == Specials) || ...)) return i;
  }
  return 16;
#endif
}

// The first of `Specials` in `text` at or after `from`; npos when none. Sixteen bytes are
// tested at a time, then eight (a byte equal to a special leaves a zero byte in chunk ^
// pattern); every text of every description is scanned here, and find_first_of would call
// memchr for each byte.
template <char... Specials>
size_t FindAnyOf(std::string_view text, size_t from) {
  constexpr uint64_t kOnes = 0x0101010101010101ULL;
  constexpr uint64_t kHighBits = 0x8080808080808080ULL;
  auto has_zero_byte = [](uint64_t v) { return (v - kOnes) & ~v & kHighBits; };
  size_t i = from;
  for (; i + 16 <= text.size(); i += 16) {
    const unsigned first = FirstOfSixteen<Specials...>(text.data() + i);
    if (first < 16) return i + first;
  }
  for (; i + 8 <= text.size(); i += 8) {
    uint64_t chunk;
    std::memcpy(&chunk, text.data() + i, sizeof chunk);
    if ((has_zero_byte(chunk ^ (kOnes * static_cast<unsigned char>(Specials))) | ...) != 0) break;
  }
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (((c == Specials) || ...)) return i;
  }
  return std::string_view::npos;
}

// A value goes back between double quotes. A quote of its own would end it early and let the
// rest read as further attributes; '<' and '>' could end a comment or a raw-text element that a
// browser sees where this parser saw a tag (a name such as "?x", or "xmp"), and turn the rest of
// the value into markup. Browsers decode the references, so the value keeps its meaning.
inline void AppendAttributeValue(std::string_view value, std::string& out) {
  size_t start = 0;
  for (size_t special = FindAnyOf<'"', '<', '>'>(value, 0); special != std::string_view::npos;
       special = FindAnyOf<'"', '<', '>'>(value, start)) {
    out.append(value.substr(start, special - start));
    out += value[special] == '"' ? "&quot;" : value[special] == '<' ? "&lt;" : "&gt;";
    start = special + 1;
  }
  out.append(value.substr(start));
}

// Whether the digits of a numeric reference, from `first` on, name a code point (at most
// U+10FFFF). Longer numbers are left as text: readers differ in how far past the digits such a
// reference reaches, and one that read on would swallow the markup after it.
inline bool NamesCodePoint(std::string_view text, size_t first, bool hex) {
  uint32_t value = 0;
  size_t i = first;
  for (; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    int digit = -1;
    if (std::isdigit(c)) digit = c - '0';
    if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) break;
    value = value * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
    if (value > 0x10FFFF) return false;
  }
  return i > first;
}

// Whether `text` starts with a character reference a browser decodes: "&#" and digits, "&#x" and
// hex digits (naming a code point), or "&", a name and ";".
inline bool StartsCharacterReference(std::string_view text) {
  auto is_alnum = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
  if (text.size() < 3 || text[0] != '&') return false;
  if (text[1] == '#') {
    const bool hex = text[2] == 'x' || text[2] == 'X';
    return NamesCodePoint(text, hex ? 3 : 2, hex);
  }
  if (!std::isalpha(static_cast<unsigned char>(text[1]))) return false;
  size_t i = 2;
  while (i < text.size() && is_alnum(text[i])) ++i;
  return i < text.size() && text[i] == ';';
}

// Text between tags, raw as in the source. A '<' or '>' of its own is written as a reference,
// so that no text can open a tag a browser would read, and so is an '&' that does not start a
// reference; the references the text holds stay, so its meaning is unchanged.
inline void AppendText(std::string_view raw_text, std::string& out) {
  size_t start = 0;
  for (size_t special = FindAnyOf<'<', '>', '&'>(raw_text, 0); special != std::string_view::npos;
       special = FindAnyOf<'<', '>', '&'>(raw_text, start)) {
    out.append(raw_text.substr(start, special - start));
    const char c = raw_text[special];
    if (c == '&' && StartsCharacterReference(raw_text.substr(special))) {
      out += '&';
    } else {
      out += c == '<' ? "&lt;" : c == '>' ? "&gt;" : "&amp;";
    }
    start = special + 1;
  }
  out.append(raw_text.substr(start));
}

// "<name a=\"v\" b=\"w\" >", or "/>" in place of ">" for an empty element. `attributes` holds
// objects with `name` and `value`.
template <typename Attributes>
void AppendOpeningTag(std::string_view name, const Attributes& attributes, bool empty_element,
                      std::string& out) {
  out += '<';
  out.append(name);
  if (!attributes.empty()) {
    out += ' ';
    for (const auto& attribute : attributes) {
      out.append(attribute.name);
      out += "=\"";
      AppendAttributeValue(attribute.value, out);
      out += "\" ";
    }
  }
  out += empty_element ? "/>" : ">";
}

inline void AppendClosingTag(std::string_view name, std::string& out) {
  out += "</";
  out.append(name);
  out += '>';
}

// The kinds whose plain text ends with a line feed: br, hr, tr, div and li.
inline bool EndsWithLineFeed(TagKind kind) {
  return kind == kBreak || kind == kRule || kind == kTableRow || kind == kDiv || kind == kListItem;
}

}  // namespace tarsel::HTML
