#include "cli/json_output.h"

namespace tarsel::cli {

std::string JsonText(const nlohmann::ordered_json& json, int indent) {
  const std::string text =
      json.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
  // Outside strings the dump holds only ASCII, so C2 80..C2 9F can only be a C1 character
  // inside a string, where an escape means the same.
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size(); ++at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    const auto next = at + 1 < text.size() ? static_cast<unsigned char>(text[at + 1]) : 0;
    if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
      static constexpr char kHex[] = "0123456789abcdef";
      out += "\\u00";
      out += kHex[next >> 4];
      out += kHex[next & 0xF];
      ++at;
    } else {
      out += static_cast<char>(byte);
    }
  }
  return out;
}

}  // namespace tarsel::cli
