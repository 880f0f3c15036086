#include "view/record_render_script.h"

namespace tarsel {

void AppendJavaScriptString(std::string_view text, std::string& out) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  size_t copied = 0;
  for (size_t position = 0; position < text.size(); ++position) {
    const auto byte = static_cast<unsigned char>(text[position]);
    const bool separator = byte == 0xE2 && position + 2 < text.size() &&
                           static_cast<unsigned char>(text[position + 1]) == 0x80 &&
                           (static_cast<unsigned char>(text[position + 2]) & 0xFE) == 0xA8;
    if (byte >= 0x20 && byte != '"' && byte != '\\' && !separator) continue;
    out.append(text.substr(copied, position - copied));
    if (separator) {
      out += static_cast<unsigned char>(text[position + 2]) == 0xA8 ? "\\u2028" : "\\u2029";
      position += 2;
    } else if (byte == '"' || byte == '\\') {
      out += '\\';
      out += static_cast<char>(byte);
    } else {
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
    copied = position + 1;
  }
  out.append(text.substr(copied));
  out += '"';
}

std::string BodyAssignmentScript(std::string_view utf8_body) {
  std::string script;
  script.reserve(utf8_body.size() + utf8_body.size() / 16 + 128);
  script += "(function(html){var body=document.body;if(!body)return;body.innerHTML=html;";
  script += "window.scrollTo(0,0);})(";
  AppendJavaScriptString(utf8_body, script);
  script += ");";
  return script;
}

}  // namespace tarsel
