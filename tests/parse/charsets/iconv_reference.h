#pragma once

#include <iconv.h>

#include <cstdint>
#include <optional>
#include <string>

// glibc's conversion tables, as an independent reference for the program's own tables.
namespace tarsel::testing {

// The single byte `code_point` has in `code_page` ("CP1251", "ISO-8859-2"), or nothing.
inline std::optional<uint8_t> IconvByte(uint32_t code_point, const char* code_page) {
  iconv_t converter = iconv_open(code_page, "UTF-32LE");
  char in_bytes[4] = {static_cast<char>(code_point & 0xFF),
                      static_cast<char>((code_point >> 8) & 0xFF),
                      static_cast<char>((code_point >> 16) & 0xFF), 0};
  char out_bytes[8];
  char* in = in_bytes;
  char* out = out_bytes;
  size_t in_left = 4;
  size_t out_left = sizeof(out_bytes);
  const size_t result = iconv(converter, &in, &in_left, &out, &out_left);
  iconv_close(converter);
  if (result == static_cast<size_t>(-1) || out - out_bytes != 1) return std::nullopt;
  return static_cast<uint8_t>(out_bytes[0]);
}

// The code point of one byte of `code_page`, or nothing.
inline std::optional<uint32_t> IconvCodePoint(uint8_t byte, const char* code_page) {
  iconv_t converter = iconv_open("UTF-32LE", code_page);
  char in_byte = static_cast<char>(byte);
  unsigned char out_bytes[8];
  char* in = &in_byte;
  char* out = reinterpret_cast<char*>(out_bytes);
  size_t in_left = 1;
  size_t out_left = sizeof(out_bytes);
  const size_t result = iconv(converter, &in, &in_left, &out, &out_left);
  iconv_close(converter);
  if (result == static_cast<size_t>(-1) || out_left != 4) return std::nullopt;
  return out_bytes[0] | (out_bytes[1] << 8) | (out_bytes[2] << 16);
}

}  // namespace tarsel::testing
