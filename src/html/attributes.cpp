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

// srcdoc holds a whole page for a frame: no record needs one, and its value is markup that no
// check here reads.
bool IsDroppedName(std::string_view name) {
  return name == "class" || name == "target" || name == "srcdoc" || name.starts_with("on");
}

// SVG animation attributes that can set an href, as lists separated by ';'.
bool IsAnimationValue(std::string_view name) {
  return name == "values" || name == "to" || name == "from" || name == "by";
}

bool IsUrlAttribute(std::string_view name) {
  return std::find(std::begin(kUrlAttributes), std::end(kUrlAttributes), name) !=
         std::end(kUrlAttributes);
}

// A character reference as a browser reads it inside an attribute: "&#N", "&#xH" (the ';' may be
// missing), and the named ones that give URL or CSS syntax. Sets `c` (0x80 for anything not ASCII)
// and returns the length, or 0.
size_t ReadReference(std::string_view text, char& c) {
  // Longer names first where one begins another ("&quot;" and the legacy "&quot").
  static constexpr std::pair<std::string_view, char> kNamed[] = {
      {"&colon;", ':'}, {"&Tab;", '\t'}, {"&NewLine;", '\n'}, {"&semi;", ';'}, {"&lpar;", '('},
      {"&rpar;", ')'},  {"&sol;", '/'},  {"&bsol;", '\\'},    {"&quot;", '"'}, {"&quot", '"'},
      {"&apos;", '\''}, {"&amp;", '&'},  {"&amp", '&'},       {"&lt;", '<'},   {"&lt", '<'},
      {"&gt;", '>'},    {"&gt", '>'}};
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
// gone, leading blanks and controls skipped, lower-cased. Fills `start` and returns its length.
template <size_t N>
size_t NormalizedUrlStart(std::string_view value, char (&start)[N]) {
  size_t length = 0;
  size_t i = 0;
  while (i < value.size() && length < N) {
    char c = value[i];
    size_t consumed = 1;
    if (c == '&') consumed = std::max<size_t>(ReadReference(value.substr(i), c), 1);
    i += consumed;
    if (c == '\t' || c == '\n' || c == '\r') continue;
    if (length == 0 && static_cast<unsigned char>(c) <= 0x20) continue;
    start[length++] = LowerAscii(c);
  }
  return length;
}

// The value as a browser hands it on: character references decoded (anything beyond ASCII as
// 0x80, which no check below looks for).
std::string DecodeReferences(std::string_view value) {
  std::string decoded;
  decoded.reserve(value.size());
  for (size_t i = 0; i < value.size();) {
    char c = value[i];
    size_t consumed = 1;
    if (c == '&') consumed = std::max<size_t>(ReadReference(value.substr(i), c), 1);
    decoded += c;
    i += consumed;
  }
  return decoded;
}

// An animation list is split at ';' only after its references are decoded, since "&#106;" hides
// a 'j' and not a separator.
bool HasUnsafeListItem(std::string_view list) {
  const std::string decoded = DecodeReferences(list);
  const std::string_view items(decoded);
  size_t start = 0;
  while (true) {
    const size_t end = std::min(items.find(';', start), items.size());
    if (IsUnsafeUrl(items.substr(start, end - start), false)) return true;
    if (end == items.size()) return false;
    start = end + 1;
  }
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (LowerAscii(c) >= 'a' && LowerAscii(c) <= 'f');
}

// A style value as the CSS reader sees it: references decoded, comments removed, escapes
// ("\65", "\e") resolved, blanks gone, lower-cased.
std::string NormalizedStyle(std::string_view value) {
  const std::string decoded = DecodeReferences(value);
  std::string css;
  css.reserve(decoded.size());
  for (size_t i = 0; i < decoded.size(); ++i) {
    char c = decoded[i];
    if (c == '/' && i + 1 < decoded.size() && decoded[i + 1] == '*') {
      const size_t end = decoded.find("*/", i + 2);
      if (end == std::string::npos) break;
      i = end + 1;
      continue;
    }
    if (c == '\\' && i + 1 < decoded.size()) {
      size_t digits = 0;
      unsigned code = 0;
      while (digits < 6 && i + 1 + digits < decoded.size() && IsHexDigit(decoded[i + 1 + digits])) {
        const char d = LowerAscii(decoded[i + 1 + digits]);
        code = code * 16 + static_cast<unsigned>(d <= '9' ? d - '0' : d - 'a' + 10);
        ++digits;
      }
      i += digits == 0 ? 1 : digits;
      c = digits == 0 ? decoded[i] : code < 0x80 ? static_cast<char>(code) : '\x80';
    }
    if (IsBlank(c) || static_cast<unsigned char>(c) < 0x20) continue;
    css += LowerAscii(c);
  }
  return css;
}

// Style values that run script in some browser, or load it: IE's expression() and behavior,
// Mozilla's bindings, and url() with a script scheme.
bool IsUnsafeStyle(std::string_view value) {
  const std::string css = NormalizedStyle(value);
  for (std::string_view marker : {"expression(", "behavior:", "behaviour:", "-moz-binding"}) {
    if (css.find(marker) != std::string::npos) return true;
  }
  for (size_t at = css.find("url("); at != std::string::npos; at = css.find("url(", at + 4)) {
    std::string_view target = std::string_view(css).substr(at + 4);
    if (!target.empty() && (target[0] == '"' || target[0] == '\'')) target.remove_prefix(1);
    if (IsUnsafeUrl(target, true)) return true;
  }
  return false;
}

// An attribute name given as a value (an animation's attributeName) as a browser reads it.
bool NamesEventHandler(std::string_view value) {
  const std::string decoded = DecodeReferences(value);
  const auto first = std::find_if(decoded.begin(), decoded.end(),
                                  [](char c) { return static_cast<unsigned char>(c) > 0x20; });
  return decoded.end() - first >= 2 && LowerAscii(first[0]) == 'o' && LowerAscii(first[1]) == 'n';
}

// A quoted or bare value starting at `i`; `i` ends past it.
std::string_view ReadValue(std::string_view text, size_t& i) {
  if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
    const size_t start = i + 1;
    const size_t close = text.find(text[i], start);
    const size_t end = close == std::string_view::npos ? text.size() : close;
    i = std::min(end + 1, text.size());
    return text.substr(start, end - start);
  }
  const size_t start = i;
  while (i < text.size() && !IsBlank(text[i])) ++i;
  return text.substr(start, i - start);
}

}  // namespace

bool IsUnsafeUrl(std::string_view value, bool allow_data_image) {
  // "javascript:" is the longest scheme looked for; "data:image/" needs eleven characters.
  char buffer[16];
  const std::string_view start(buffer, NormalizedUrlStart(value, buffer));
  const size_t colon = start.find(':');
  if (colon == std::string_view::npos) return false;
  const std::string_view scheme = start.substr(0, colon);
  if (!std::all_of(scheme.begin(), scheme.end(), IsSchemeChar)) return false;
  if (scheme == "javascript" || scheme == "vbscript") return true;
  if (scheme != "data") return false;
  return !(allow_data_image && start.compare(colon + 1, 6, "image/") == 0);
}

std::span<const AttributeView> AttributeSplitter::Split(std::string_view text, TagKind kind) {
  attributes_.clear();
  names_.clear();
  // Names never outgrow the text, so the views into names_ stay put while it fills.
  names_.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (!IsNameChar(text[i])) {
      ++i;
      continue;
    }
    const size_t name_start = names_.size();
    for (; i < text.size() && IsNameChar(text[i]); ++i) names_ += LowerAscii(text[i]);
    const std::string_view name(names_.data() + name_start, names_.size() - name_start);
    while (i < text.size() && IsBlank(text[i])) ++i;
    std::string_view value;
    if (i < text.size() && text[i] == '=') {
      ++i;
      while (i < text.size() && IsBlank(text[i])) ++i;
      value = ReadValue(text, i);
    }
    if (IsDroppedName(name)) continue;
    if (IsUrlAttribute(name) && IsUnsafeUrl(value, kind == kImage && name == "src")) continue;
    if (IsAnimationValue(name) && HasUnsafeListItem(value)) continue;
    if (name == "style" && IsUnsafeStyle(value)) continue;
    attributes_.push_back({name, value});
  }
  return attributes_;
}

bool AttributeSplitter::SetsEventHandler(std::string_view text) {
  for (const AttributeView& attribute : Split(text, kUnknown)) {
    if (attribute.name == "attributename" && NamesEventHandler(attribute.value)) return true;
  }
  return false;
}

}  // namespace tarsel::HTML
