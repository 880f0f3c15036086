#include <cstdint>

#include "parse/charsets/charsets.h"
#include "platform/system_code_page.h"
#include "platform/utf8_text.h"

namespace tarsel {
namespace {

// The sequence length a lead byte announces; continuation bytes and 0xF8-0xFF included, so
// that a decoder always advances.
size_t SequenceLength(uint8_t lead) {
  if (lead < 0xC0) return 1;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  if (lead < 0xF8) return 4;
  if (lead < 0xFC) return 5;
  return 6;
}

bool IsContinuation(uint8_t byte) {
  return (byte & 0xC0) == 0x80;
}

// Whether the sequence of `length` bytes at `p` (all present) is well-formed.
bool IsWellFormed(const uint8_t* p, size_t length) {
  const uint8_t lead = p[0];
  if (length == 1) return lead < 0x80;
  if (lead < 0xC2 || lead > 0xF4) return false;
  uint8_t second_low = 0x80;
  uint8_t second_high = 0xBF;
  if (lead == 0xE0) second_low = 0xA0;
  if (lead == 0xF0) second_low = 0x90;
  if (lead == 0xF4) second_high = 0x8F;
  if (p[1] < second_low || p[1] > second_high) return false;
  for (size_t i = 2; i < length; ++i) {
    if (!IsContinuation(p[i])) return false;
  }
  return true;
}

// Decodes one character at `p` (before `end`) and advances `p`. A sequence cut off by the end is
// a blank and consumes the rest of the text; malformed ones give whatever their bits say.
uint32_t DecodeUtf8Char(const uint8_t*& p, const uint8_t* end) {
  const size_t length = SequenceLength(*p);
  if (static_cast<size_t>(end - p) < length) {
    p = end;
    return 0x20;
  }
  if (length == 1) return *p++;
  uint32_t code_point = *p++ & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) code_point = (code_point << 6) | (*p++ & 0x3F);
  return code_point;
}

using CodePageMapping = uint8_t (*)(uint32_t);

CodePageMapping MappingFor(int code_page) {
  if (code_page == 1251) return UnicodeToCp1251;
  if (code_page == 1250) return UnicodeToCp1250;
  return UnicodeToCp1252;
}

// UTF-8 to UTF-8: well-formed sequences stay, each malformed part becomes one blank, so the
// text never grows.
size_t BlankMalformedUtf8(char* bytes, size_t length) {
  const std::string_view text(bytes, length);
  size_t written = 0;
  for (size_t at = 0; at < length;) {
    uint32_t code_point = 0;
    size_t bad_length = 1;
    const size_t sequence = DecodeUtf8(text, at, code_point, bad_length);
    if (sequence == 0) {
      bytes[written++] = ' ';
      at += bad_length;
      continue;
    }
    for (size_t i = 0; i < sequence; ++i) bytes[written++] = bytes[at++];
  }
  return written;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  const uint8_t* end = p + bytes.size();
  while (p < end) {
    if (*p < 0x80) {
      ++p;
      continue;
    }
    const size_t length = SequenceLength(*p);
    if (length > 4 || static_cast<size_t>(end - p) < length || !IsWellFormed(p, length)) {
      return false;
    }
    p += length;
  }
  return true;
}

void Utf8ToCodePage(char* bytes, size_t& length, EncodingChoice choice) {
  const int code_page = CodePageForEncoding(choice);
  if (code_page == kCodePageUtf8) {
    length = BlankMalformedUtf8(bytes, length);
    return;
  }
  const CodePageMapping map = MappingFor(code_page);
  const auto* in = reinterpret_cast<const uint8_t*>(bytes);
  const uint8_t* end = in + length;
  // Each character takes at least one input byte and gives one output byte, so the writer never
  // overtakes the reader.
  size_t written = 0;
  while (in < end) {
    if (*in < 0x80) {
      bytes[written++] = static_cast<char>(*in++);
      continue;
    }
    bytes[written++] = static_cast<char>(map(DecodeUtf8Char(in, end)));
  }
  length = written;
}

void Utf8ToCodePage(std::string& text, EncodingChoice choice) {
  if (CodePageForEncoding(choice) == kCodePageUtf8) {
    text = RepairUtf8(text);
    return;
  }
  size_t length = text.size();
  Utf8ToCodePage(text.data(), length, choice);
  text.resize(length);
}

}  // namespace tarsel
