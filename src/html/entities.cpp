#include "html/entities.h"

#include <cstdint>
#include <cstring>

#include "platform/system_code_page.h"
#include "platform/utf8_text.h"

namespace tarsel::HTML {
namespace {

struct NamedEntity {
  std::string_view source;  // with '&' and ';'
  std::string_view output;
};

// "&amp;" is handled apart: its '&' is read again.
constexpr NamedEntity kNamedEntities[] = {
    {"&lt;", "<"},     {"&gt;", ">"},     {"&apos;", "'"},   {"&quot;", "\""},  {"&nbsp;", " "},
    {"&laquo;", "\""}, {"&raquo;", "\""}, {"&bdquo;", "\""}, {"&ldquo;", "\""}, {"&hellip;", "..."},
};

int DigitValue(char c, bool hex) {
  if (c >= '0' && c <= '9') return c - '0';
  if (!hex) return -1;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Windows-1252's characters at 0x80-0x9F: references to those C1 controls mean them, as
// browsers read them (0 where Windows-1252 has none either).
constexpr uint16_t kWindows1252From80[] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

constexpr uint32_t kLastCodePoint = 0x10FFFF;

// The code point of a character reference "&#N;" or "&#xH;" at `text` and the reference's
// length; 0 when it is not one (no digits, no ';', or above U+10FFFF).
size_t MatchNumeric(std::string_view text, uint32_t& value) {
  size_t i = 2;
  const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
  if (hex) ++i;
  const size_t digits_start = i;
  value = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], hex);
    if (digit < 0) break;
    value = value * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
    if (value > kLastCodePoint) return 0;
  }
  if (i == digits_start || i >= text.size() || text[i] != ';') return 0;
  return i + 1;
}

// The bytes a referenced code point becomes in the text's code page; false when the reference
// stays as it is. Zero never decodes (it would cut C strings short). In a single-byte page a
// number below 256 is that byte. In UTF-8 every code point but the surrogates is its UTF-8
// form, which never holds an ASCII byte, so only a reference to '<' itself can make a '<'.
bool ReferencedBytes(uint32_t value, int code_page, std::string& bytes) {
  if (value == 0) return false;
  if (code_page != kCodePageUtf8) {
    if (value >= 256) return false;
    bytes.assign(1, static_cast<char>(value));
    return true;
  }
  if (value >= 0xD800 && value <= 0xDFFF) return false;
  if (value >= 0x80 && value <= 0x9F && kWindows1252From80[value - 0x80] != 0) {
    value = kWindows1252From80[value - 0x80];
  }
  bytes.clear();
  AppendUtf8(value, bytes);
  return true;
}

// Decodes data[0, length) in place and returns the new length.
size_t DecodeRange(char* data, size_t length, int code_page) {
  std::string referenced;  // never longer than four bytes, so it stays in the small buffer
  size_t read = 0;
  size_t write = 0;
  while (read < length) {
    const auto* found = static_cast<char*>(std::memchr(data + read, '&', length - read));
    const size_t amp = found ? static_cast<size_t>(found - data) : length;
    if (write != read) std::memmove(data + write, data + read, amp - read);
    write += amp - read;
    read = amp;
    if (read == length) break;
    const std::string_view rest(data + read, length - read);
    if (rest.starts_with("&amp;")) {
      // The '&' stays in the input and is read again, so "&amp;lt;" gives "<". The reader is at
      // least as far as the writer, so the rewrite never touches output.
      read += 4;
      data[read] = '&';
      continue;
    }
    size_t consumed = 0;
    std::string_view output;
    if (rest.size() > 1 && rest[1] == '#') {
      // The shortest reference to a code point takes at least as many bytes as its UTF-8 form.
      uint32_t value = 0;
      consumed = MatchNumeric(rest, value);
      if (consumed != 0 && !ReferencedBytes(value, code_page, referenced)) consumed = 0;
      output = referenced;
    } else {
      for (const NamedEntity& entity : kNamedEntities) {
        // The letter after '&' rules out most names without a comparison call.
        if (rest.size() > 1 && rest[1] == entity.source[1] && rest.starts_with(entity.source)) {
          consumed = entity.source.size();
          output = entity.output;
          break;
        }
      }
    }
    if (consumed == 0) {
      data[write++] = data[read++];
      continue;
    }
    std::memmove(data + write, output.data(), output.size());
    write += output.size();
    read += consumed;
  }
  return write;
}

}  // namespace

void DecodeEntitiesInPlace(std::string& text, int code_page) {
  text.resize(DecodeRange(text.data(), text.size(), code_page));
}

std::string DecodeEntities(std::string_view text, int code_page) {
  std::string decoded(text);
  DecodeEntitiesInPlace(decoded, code_page);
  return decoded;
}

void AppendDecodedEntities(std::string_view text, int code_page, std::string& out) {
  const size_t start = out.size();
  out.append(text);
  out.resize(start + DecodeRange(out.data() + start, text.size(), code_page));
}

}  // namespace tarsel::HTML
