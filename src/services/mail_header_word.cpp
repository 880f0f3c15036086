#include "services/mail_header_word.h"

#include <algorithm>
#include <cstdint>

#include "platform/utf8_text.h"

namespace tarsel {
namespace {

constexpr size_t kWordTextBytes = 45;

void AppendBase64(std::string_view bytes, std::string& out) {
  static constexpr char kDigits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (size_t at = 0; at < bytes.size(); at += 3) {
    const size_t count = std::min<size_t>(3, bytes.size() - at);
    uint32_t group = 0;
    for (size_t i = 0; i < 3; ++i) {
      group = (group << 8) | (i < count ? static_cast<uint8_t>(bytes[at + i]) : 0u);
    }
    for (size_t i = 0; i < 4; ++i) {
      out += i <= count ? kDigits[(group >> (18 - 6 * i)) & 0x3F] : '=';
    }
  }
}

}  // namespace

std::string EncodeHeaderWords(std::string_view utf8) {
  if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) == 0; })) {
    return std::string(utf8);
  }
  std::string out;
  while (!utf8.empty()) {
    size_t take = CharacterBoundaryAtOrBefore(utf8, kWordTextBytes);
    if (take == 0) take = std::min(utf8.size(), kWordTextBytes);
    if (!out.empty()) out += "\r\n ";
    out += "=?UTF-8?B?";
    AppendBase64(utf8.substr(0, take), out);
    out += "?=";
    utf8.remove_prefix(take);
  }
  return out;
}

}  // namespace tarsel
