#include "parse/feeds/base64_text.h"

#include <cstdint>

namespace tarsel::feeds {

namespace {

int SextetOf(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

std::optional<std::string> DecodeBase64(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size() / 4 * 3 + 3);
  uint32_t bits = 0;
  int held = 0;  // sextets in `bits`
  size_t padding = 0;
  for (char c : text) {
    if (IsWhiteSpace(c)) continue;
    if (c == '=') {
      ++padding;
      continue;
    }
    const int sextet = SextetOf(c);
    // Nothing may follow the padding.
    if (sextet < 0 || padding > 0) return std::nullopt;
    bits = (bits << 6) | static_cast<uint32_t>(sextet);
    if (++held == 4) {
      bytes += static_cast<char>((bits >> 16) & 0xff);
      bytes += static_cast<char>((bits >> 8) & 0xff);
      bytes += static_cast<char>(bits & 0xff);
      bits = 0;
      held = 0;
    }
  }
  // A lone sextet holds no byte; padding must fill the last group exactly when it is given.
  if (held == 1 || padding > 2 || (padding > 0 && held + padding != 4)) return std::nullopt;
  if (held == 2) bytes += static_cast<char>((bits >> 4) & 0xff);
  if (held == 3) {
    bytes += static_cast<char>((bits >> 10) & 0xff);
    bytes += static_cast<char>((bits >> 2) & 0xff);
  }
  return bytes;
}

}  // namespace tarsel::feeds
