#include "parse/dates/name_letters.h"

#include "platform/system_code_page.h"

namespace tarsel {
namespace {

constexpr uint32_t kNoLetter = 0xFFFD;

// Windows-1250 from 0xC0 on, the Central European letters Hungarian, Czech or Polish dates use.
constexpr uint16_t kCp1250High[64] = {
    0x154, 0xC1,  0xC2,  0x102, 0xC4,  0x139, 0x106, 0xC7,  0x10C, 0xC9,  0x118, 0xCB,  0x11A,
    0xCD,  0xCE,  0x10E, 0x110, 0x143, 0x147, 0xD3,  0xD4,  0x150, 0xD6,  0xD7,  0x158, 0x16E,
    0xDA,  0x170, 0xDC,  0xDD,  0x162, 0xDF,  0x155, 0xE1,  0xE2,  0x103, 0xE4,  0x13A, 0x107,
    0xE7,  0x10D, 0xE9,  0x119, 0xEB,  0x11B, 0xED,  0xEE,  0x10F, 0x111, 0x144, 0x148, 0xF3,
    0xF4,  0x151, 0xF6,  0xF7,  0x159, 0x16F, 0xFA,  0x171, 0xFC,  0xFD,  0x163, 0x2D9};

uint32_t SingleByteLetter(uint8_t byte, int code_page) {
  if (byte < 0x80) return byte;
  if (byte < 0xC0) {
    // Signs, and letters no date name holds, except Cyrillic's Ё.
    if (code_page == 1251 && (byte == 0xA8 || byte == 0xB8)) return byte == 0xA8 ? 0x401 : 0x451;
    return kNoLetter;
  }
  if (code_page == 1251) return 0x410 + (byte - 0xC0);
  if (code_page == 1250) return kCp1250High[byte - 0xC0];
  return byte;  // 1252 agrees with Latin-1 here
}

TextLetter Utf8LetterAt(std::string_view text, size_t position) {
  const auto lead = static_cast<uint8_t>(text[position]);
  if (lead < 0x80) return {lead, 1};
  size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || position + length > text.size()) return {kNoLetter, 1};
  uint32_t code_point = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<uint8_t>(text[position + i]);
    if ((next & 0xC0) != 0x80) return {kNoLetter, 1};
    code_point = (code_point << 6) | (next & 0x3F);
  }
  return {code_point, length};
}

// Latin Extended-A pairs capitals with small letters on even code points, except in two runs.
uint32_t FoldLatinExtendedA(uint32_t c) {
  const bool odd_capitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  if (c == 0x178) return 0xFF;
  if (c == 0x138 || c == 0x149 || c == 0x17F) return c;
  return (c % 2 == 1) == odd_capitals ? c + 1 : c;
}

uint32_t FoldGreek(uint32_t c) {
  if (c >= 0x391 && c <= 0x3A9) c += 0x20;  // capitals (0x3A2 is unassigned)
  switch (c) {
    case 0x386:
    case 0x3AC:
      return 0x3B1;  // ά
    case 0x388:
    case 0x3AD:
      return 0x3B5;  // έ
    case 0x389:
    case 0x3AE:
      return 0x3B7;  // ή
    case 0x38A:
    case 0x3AF:
    case 0x3CA:
    case 0x3AA:
    case 0x390:
      return 0x3B9;  // ί ϊ ΐ
    case 0x38C:
    case 0x3CC:
      return 0x3BF;  // ό
    case 0x38E:
    case 0x3CD:
    case 0x3CB:
    case 0x3AB:
    case 0x3B0:
      return 0x3C5;  // ύ ϋ ΰ
    case 0x38F:
    case 0x3CE:
      return 0x3C9;  // ώ
    case 0x3C2:
      return 0x3C3;  // ς
    default:
      return c;
  }
}

}  // namespace

TextLetter LetterAt(std::string_view text, size_t position, int code_page) {
  if (position >= text.size()) return {};
  if (code_page == kCodePageUtf8) return Utf8LetterAt(text, position);
  return {SingleByteLetter(static_cast<uint8_t>(text[position]), code_page), 1};
}

uint32_t FoldLetter(uint32_t c) {
  if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c >= 0x100 && c <= 0x17F) return FoldLatinExtendedA(c);
  if (c >= 0x386 && c <= 0x3CE) return FoldGreek(c);
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  return c;
}

}  // namespace tarsel
