#include "html/entities.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "html/markup_writer.h"
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

// The code point of a character reference "&#N;" or "&#xH;" whose text after the '&' is
// `after`, and the length of that text; 0 when it is not one (no digits, no ';', or above
// U+10FFFF).
size_t MatchNumeric(std::string_view after, uint32_t& value) {
  size_t i = 1;  // past '#'
  const bool hex = i < after.size() && (after[i] == 'x' || after[i] == 'X');
  if (hex) ++i;
  const size_t digits_start = i;
  value = 0;
  for (; i < after.size(); ++i) {
    const int digit = DigitValue(after[i], hex);
    if (digit < 0) break;
    value = value * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
    if (value > kLastCodePoint) return 0;
  }
  if (i == digits_start || i >= after.size() || after[i] != ';') return 0;
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

// The length of the entity whose text after the '&' starts `after` (0 when there is none), and
// in `output` what it stands for. `referenced` holds the bytes of a character reference.
size_t MatchEntity(std::string_view after, int code_page, std::string& referenced,
                   std::string_view& output) {
  if (!after.empty() && after[0] == '#') {
    // The shortest reference to a code point takes at least as many bytes as its UTF-8 form.
    uint32_t value = 0;
    const size_t length = MatchNumeric(after, value);
    if (length == 0 || !ReferencedBytes(value, code_page, referenced)) return 0;
    output = referenced;
    return length;
  }
  for (const NamedEntity& entity : kNamedEntities) {
    const std::string_view name = entity.source.substr(1);
    // The letter after '&' rules out most names without a comparison call.
    if (!after.empty() && after[0] == name[0] && after.starts_with(name)) {
      output = entity.output;
      return name.size();
    }
  }
  return 0;
}

// Copies src[read, ...) to dst[write, ...) up to the next '&' or the end, sixteen bytes at a
// time where it can: escaped descriptions hold an entity every few words. A block is read
// before it is written, and the writer never passes the reader, so src and dst may be the same
// text.
void CopyUpToAmpersand(const char* src, size_t length, size_t& read, char* dst, size_t& write) {
  if (src + read == dst + write) {
    // Nothing decoded yet: the bytes are where they belong.
    const size_t amp = std::min(FindAnyOf<'&'>(std::string_view(src, length), read), length);
    write += amp - read;
    read = amp;
    return;
  }
  // A block holding the '&' is not written whole: in place, its tail would overwrite the '&'.
  for (; read + 16 <= length; read += 16, write += 16) {
    char block[16];
    std::memcpy(block, src + read, sizeof block);
    const unsigned first = FirstOfSixteen<'&'>(block);
    if (first < 16) {
      std::memmove(dst + write, block, first);
      read += first;
      write += first;
      return;
    }
    std::memcpy(dst + write, block, sizeof block);
  }
  while (read < length && src[read] != '&') dst[write++] = src[read++];
}

// Decodes src[0, length) into dst, which is src itself or room for `length` bytes, and returns
// the decoded length. A decoded entity is never longer than its text, so in place the writer
// never passes the reader.
size_t DecodeRange(const char* src, size_t length, char* dst, int code_page) {
  std::string referenced;  // never longer than four bytes, so it stays in the small buffer
  size_t read = 0;
  size_t write = 0;
  while (read < length) {
    CopyUpToAmpersand(src, length, read, dst, write);
    if (read == length) break;
    // "&amp;" yields an '&' that is read again, so "&amp;lt;" gives "<": the text after the
    // '&' goes on after every "amp;" that follows it.
    size_t after = read + 1;
    while (length - after >= 4 && std::memcmp(src + after, "amp;", 4) == 0) after += 4;
    std::string_view output;
    const size_t consumed =
        MatchEntity(std::string_view(src + after, length - after), code_page, referenced, output);
    if (consumed == 0) {
      dst[write++] = '&';
      read = after;
      continue;
    }
    std::memmove(dst + write, output.data(), output.size());
    write += output.size();
    read = after + consumed;
  }
  return write;
}

}  // namespace

void DecodeEntitiesInPlace(std::string& text, int code_page) {
  text.resize(DecodeRange(text.data(), text.size(), text.data(), code_page));
}

std::string DecodeEntities(std::string_view text, int code_page) {
  std::string decoded;
  AppendDecodedEntities(text, code_page, decoded);
  return decoded;
}

void AppendDecodedEntities(std::string_view text, int code_page, std::string& out) {
  const size_t start = out.size();
  out.resize(start + text.size());
  out.resize(start + DecodeRange(text.data(), text.size(), out.data() + start, code_page));
}

}  // namespace tarsel::HTML
