#include "platform/utf8_text.h"

#include <cstring>

namespace tarsel {
namespace {

bool IsContinuation(uint8_t byte) {
  return (byte & 0xC0) == 0x80;
}

uint8_t ByteAt(std::string_view text, size_t at) {
  return static_cast<uint8_t>(text[at]);
}

// The length a lead byte announces and the range its second byte must fall in (the ranges rule
// out overlong forms, surrogates and code points above U+10FFFF); 0 for a byte that cannot lead.
size_t LeadLength(uint8_t lead, uint8_t& second_low, uint8_t& second_high) {
  second_low = 0x80;
  second_high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (lead == 0xE0) second_low = 0xA0;
    if (lead == 0xED) second_high = 0x9F;
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    if (lead == 0xF0) second_low = 0x90;
    if (lead == 0xF4) second_high = 0x8F;
    return 4;
  }
  return 0;
}

// Where the first byte from `from` on that is not ASCII is; text.size() when there is none.
// Whole feed bodies are checked, and they are mostly ASCII: eight bytes are tested at a time.
size_t SkipAscii(std::string_view text, size_t from) {
  constexpr uint64_t kHighBits = 0x8080808080808080ULL;
  size_t at = from;
  for (; at + 8 <= text.size(); at += 8) {
    uint64_t chunk;
    std::memcpy(&chunk, text.data() + at, sizeof chunk);
    if ((chunk & kHighBits) != 0) break;
  }
  while (at < text.size() && ByteAt(text, at) < 0x80) ++at;
  return at;
}

// Where the first malformed sequence at or after `from` starts; text.size() when there is none.
size_t FirstMalformed(std::string_view text, size_t from) {
  size_t at = from;
  while (at < text.size()) {
    if (ByteAt(text, at) < 0x80) {
      at = SkipAscii(text, at);
      continue;
    }
    uint32_t code_point = 0;
    size_t bad = 0;
    const size_t length = DecodeUtf8(text, at, code_point, bad);
    if (length == 0) return at;
    at += length;
  }
  return text.size();
}

}  // namespace

void AppendUtf8(uint32_t code_point, std::string& out) {
  if (code_point > 0x10FFFF || (code_point >= 0xD800 && code_point <= 0xDFFF)) {
    code_point = kReplacementCharacter;
  }
  if (code_point < 0x80) {
    out += static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    out += static_cast<char>(0xC0 | (code_point >> 6));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    out += static_cast<char>(0xE0 | (code_point >> 12));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code_point >> 18));
    out += static_cast<char>(0x80 | ((code_point >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  }
}

size_t DecodeUtf8(std::string_view text, size_t at, uint32_t& code_point, size_t& bad_length) {
  const uint8_t lead = ByteAt(text, at);
  if (lead < 0x80) {
    code_point = lead;
    return 1;
  }
  uint8_t second_low = 0;
  uint8_t second_high = 0;
  const size_t length = LeadLength(lead, second_low, second_high);
  bad_length = 1;
  if (length == 0 || at + 1 >= text.size()) return 0;
  const uint8_t second = ByteAt(text, at + 1);
  if (second < second_low || second > second_high) return 0;
  uint32_t value = lead & (0x7F >> length);
  value = (value << 6) | (second & 0x3F);
  for (size_t i = 2; i < length; ++i) {
    bad_length = i;
    if (at + i >= text.size() || !IsContinuation(ByteAt(text, at + i))) return 0;
    value = (value << 6) | (ByteAt(text, at + i) & 0x3F);
  }
  code_point = value;
  return length;
}

bool IsStrictUtf8(std::string_view text) {
  return FirstMalformed(text, 0) == text.size();
}

std::string RepairUtf8(std::string_view text) {
  size_t bad_at = FirstMalformed(text, 0);
  if (bad_at == text.size()) return std::string(text);
  std::string repaired;
  repaired.reserve(text.size() + 16);
  size_t copied = 0;
  while (bad_at < text.size()) {
    repaired.append(text.substr(copied, bad_at - copied));
    AppendUtf8(kReplacementCharacter, repaired);
    uint32_t code_point = 0;
    size_t bad_length = 1;
    DecodeUtf8(text, bad_at, code_point, bad_length);
    copied = bad_at + bad_length;
    bad_at = FirstMalformed(text, copied);
  }
  repaired.append(text.substr(copied));
  return repaired;
}

size_t CountCharacters(std::string_view text) {
  if (!IsStrictUtf8(text)) return text.size();
  size_t count = 0;
  for (char byte : text) count += IsContinuation(static_cast<uint8_t>(byte)) ? 0 : 1;
  return count;
}

std::string_view Utf8Prefix(std::string_view text, size_t max_characters) {
  if (text.size() <= max_characters) return text;
  if (!IsStrictUtf8(text)) return text.substr(0, max_characters);
  size_t characters = 0;
  for (size_t at = 0; at < text.size(); ++at) {
    if (IsContinuation(ByteAt(text, at))) continue;
    if (characters == max_characters) return text.substr(0, at);
    ++characters;
  }
  return text;
}

size_t CharacterBoundaryAtOrBefore(std::string_view text, size_t max_bytes) {
  if (text.size() <= max_bytes) return text.size();
  size_t start = max_bytes;
  while (start > 0 && max_bytes - start < 3 && IsContinuation(ByteAt(text, start))) --start;
  if (start == max_bytes || ByteAt(text, start) < 0xC0) return max_bytes;
  uint8_t low = 0;
  uint8_t high = 0;
  // The lead's sequence would reach past the cut: the whole character goes.
  return start + LeadLength(ByteAt(text, start), low, high) > max_bytes ? start : max_bytes;
}

}  // namespace tarsel
