#include "html/entities.h"

#include <cstring>

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

// A character reference "&#N;" or "&#xH;" at `text`: its length and byte, or 0 when it is not
// one that decodes (no digits, 256 or more, no ';', or zero, which would cut C strings short).
size_t MatchNumeric(std::string_view text, char& byte) {
  size_t i = 2;
  const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
  if (hex) ++i;
  const size_t digits_start = i;
  unsigned value = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], hex);
    if (digit < 0) break;
    value = value * (hex ? 16 : 10) + static_cast<unsigned>(digit);
    if (value >= 256) return 0;
  }
  if (i == digits_start || i >= text.size() || text[i] != ';' || value == 0) return 0;
  byte = static_cast<char>(value);
  return i + 1;
}

// Decodes data[0, length) in place and returns the new length.
size_t DecodeRange(char* data, size_t length) {
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
    char byte = 0;
    if (rest.size() > 1 && rest[1] == '#') {
      consumed = MatchNumeric(rest, byte);
      output = std::string_view(&byte, 1);
    } else {
      for (const NamedEntity& entity : kNamedEntities) {
        if (rest.starts_with(entity.source)) {
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

void DecodeEntitiesInPlace(std::string& text) {
  text.resize(DecodeRange(text.data(), text.size()));
}

std::string DecodeEntities(std::string_view text) {
  std::string decoded(text);
  DecodeEntitiesInPlace(decoded);
  return decoded;
}

void AppendDecodedEntities(std::string_view text, std::string& out) {
  const size_t start = out.size();
  out.append(text);
  out.resize(start + DecodeRange(out.data() + start, text.size()));
}

}  // namespace tarsel::HTML
