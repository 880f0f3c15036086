#include "cli/terminal_text.h"

#include <cstdint>

namespace tarsel::cli {
namespace {

void AppendEscape(std::string& out, uint32_t value) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\x";
  out += kHex[(value >> 4) & 0xF];
  out += kHex[value & 0xF];
}

// The length of the valid UTF-8 sequence starting at `at` (overlong forms, surrogates and
// values above U+10FFFF are invalid); 0 when there is none.
size_t SequenceLength(std::string_view text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[at + i]); };
  const uint8_t lead = byte(0);
  size_t length = 0;
  uint32_t value = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte(i) & 0x3F);
  }
  if ((length == 3 && (value < 0x800 || (value >= 0xD800 && value <= 0xDFFF))) ||
      (length == 4 && (value < 0x10000 || value > 0x10FFFF))) {
    return 0;
  }
  return length;
}

}  // namespace

std::string TerminalText(std::string_view utf8, LineBreaks line_breaks) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t at = 0; at < utf8.size();) {
    const auto byte = static_cast<uint8_t>(utf8[at]);
    if (byte < 0x80) {
      if (byte == '\n' && line_breaks == LineBreaks::kKeep) {
        out += '\n';
      } else if (byte == '\n' || byte == '\r') {
        out += ' ';
      } else if (byte == '\t' || (byte >= 0x20 && byte != 0x7F)) {
        out += static_cast<char>(byte);
      } else {
        AppendEscape(out, byte);
      }
      ++at;
      continue;
    }
    const size_t length = SequenceLength(utf8, at);
    if (length == 0) {
      AppendEscape(out, byte);
      ++at;
      continue;
    }
    // C1 controls are the two-byte sequences C2 80 .. C2 9F.
    const auto second = static_cast<uint8_t>(utf8[at + 1]);
    if (length == 2 && byte == 0xC2 && second < 0xA0) {
      AppendEscape(out, second);
    } else {
      out.append(utf8.substr(at, length));
    }
    at += length;
  }
  return out;
}

}  // namespace tarsel::cli
