#include "html/attributes.h"

#include <algorithm>
#include <string>

namespace tarsel::HTML {
namespace {

// Attributes a browser follows or loads as a URL.
constexpr std::string_view kUrlAttributes[] = {
    "href",   "src",    "xlink:href", "action", "formaction", "background",
    "poster", "lowsrc", "dynsrc",     "data",   "codebase",
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// A byte that may stand in an attribute name here. Quotes, '<', '>' and '`' never may, so that a
// rebuilt tag always reads back as the same attributes.
bool IsNameChar(char c) {
  return !IsBlank(c) && c != '/' && c != '=' && c != '"' && c != '\'' && c != '<' && c != '>' &&
         c != '`' && c != '\0';
}

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsSchemeChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

bool IsDroppedName(std::string_view name) {
  return name == "class" || name == "target" || name.starts_with("on");
}

bool IsUrlAttribute(std::string_view name) {
  return std::find(std::begin(kUrlAttributes), std::end(kUrlAttributes), name) !=
         std::end(kUrlAttributes);
}

// A character reference as a browser reads it inside an attribute: "&#N", "&#xH" (the ';' may be
// missing), and the named ones that give URL syntax. Sets `c` (0x80 for anything not ASCII) and
// returns the length, or 0.
size_t ReadReference(std::string_view text, char& c) {
  static constexpr std::pair<std::string_view, char> kNamed[] = {
      {"&colon;", ':'}, {"&Tab;", '\t'}, {"&NewLine;", '\n'}};
  for (const auto& [name, value] : kNamed) {
    if (text.starts_with(name)) {
      c = value;
      return name.size();
    }
  }
  if (text.size() < 3 || text[1] != '#') return 0;
  size_t i = 2;
  const bool hex = text[i] == 'x' || text[i] == 'X';
  if (hex) ++i;
  const size_t digits = i;
  unsigned value = 0;
  for (; i < text.size(); ++i) {
    const char d = LowerAscii(text[i]);
    const bool decimal_digit = d >= '0' && d <= '9';
    if (!decimal_digit && !(hex && d >= 'a' && d <= 'f')) break;
    value =
        std::min(value * (hex ? 16u : 10u) + (decimal_digit ? d - '0' : d - 'a' + 10u), 0x110000u);
  }
  if (i == digits) return 0;
  if (i < text.size() && text[i] == ';') ++i;
  c = value < 0x80 ? static_cast<char>(value) : '\x80';
  return i;
}

// The start of the value as a URL parser sees it: references decoded, tabs and line breaks
// gone, leading blanks and controls skipped, lower-cased. Stops after `limit` characters.
std::string NormalizedUrlStart(std::string_view value, size_t limit) {
  std::string start;
  size_t i = 0;
  while (i < value.size() && start.size() < limit) {
    char c = value[i];
    size_t length = 1;
    if (c == '&') {
      length = std::max<size_t>(ReadReference(value.substr(i), c), 1);
    }
    i += length;
    if (c == '\t' || c == '\n' || c == '\r') continue;
    if (start.empty() && static_cast<unsigned char>(c) <= 0x20) continue;
    start += LowerAscii(c);
  }
  return start;
}

}  // namespace

bool IsUnsafeUrl(std::string_view value, bool allow_data_image) {
  // "javascript:" is the longest scheme looked for; "data:image/" needs eleven characters.
  const std::string start = NormalizedUrlStart(value, 16);
  const size_t colon = start.find(':');
  if (colon == std::string::npos) return false;
  const std::string_view scheme = std::string_view(start).substr(0, colon);
  if (!std::all_of(scheme.begin(), scheme.end(), IsSchemeChar)) return false;
  if (scheme == "javascript" || scheme == "vbscript") return true;
  if (scheme != "data") return false;
  return !(allow_data_image && start.compare(colon + 1, 6, "image/") == 0);
}

std::vector<Attribute> SplitAttributes(std::string_view text, TagKind kind) {
  std::vector<Attribute> attributes;
  size_t i = 0;
  while (i < text.size()) {
    if (!IsNameChar(text[i])) {
      ++i;
      continue;
    }
    const size_t name_start = i;
    while (i < text.size() && IsNameChar(text[i])) ++i;
    std::string name(text.substr(name_start, i - name_start));
    std::transform(name.begin(), name.end(), name.begin(), LowerAscii);
    while (i < text.size() && IsBlank(text[i])) ++i;
    std::string_view value;
    if (i < text.size() && text[i] == '=') {
      ++i;
      while (i < text.size() && IsBlank(text[i])) ++i;
      size_t value_start = i;
      if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
        const size_t close = text.find(text[i], i + 1);
        value_start = i + 1;
        i = close == std::string_view::npos ? text.size() : close;
        value = text.substr(value_start, i - value_start);
        if (i < text.size()) ++i;
      } else {
        while (i < text.size() && !IsBlank(text[i])) ++i;
        value = text.substr(value_start, i - value_start);
      }
    }
    if (IsDroppedName(name)) continue;
    if (IsUrlAttribute(name) && IsUnsafeUrl(value, kind == kImage && name == "src")) continue;
    attributes.push_back({std::move(name), std::string(value)});
  }
  return attributes;
}

}  // namespace tarsel::HTML
