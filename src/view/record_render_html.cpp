#include "view/record_render_html.h"

#include <array>

#include "html/text.h"

namespace tarsel {
namespace {

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsSchemeCharacter(char c, bool first) {
  const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  if (first) return letter;
  return letter || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// The scheme as a browser sees it, lower case; empty when the link has none.
std::string SchemeOf(std::string_view link) {
  size_t position = 0;
  // Browsers strip leading C0 controls and blanks.
  while (position < link.size() && static_cast<unsigned char>(link[position]) <= 0x20) ++position;
  std::string scheme;
  for (; position < link.size(); ++position) {
    const char c = link[position];
    // Tabs and line breaks anywhere in a URL are dropped before it is parsed.
    if (c == '\t' || c == '\n' || c == '\r') continue;
    if (c == ':') return scheme;
    if (!IsSchemeCharacter(c, scheme.empty())) return {};
    scheme += AsciiLower(c);
  }
  return {};
}

}  // namespace

void AppendEscapedHtml(std::string_view text, std::string& out) {
  HTML::AppendEscapedHtml(text, out, HTML::QuoteEscaping::kDoubleAndSingle);
}

std::string EscapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendEscapedHtml(text, out);
  return out;
}

bool IsAllowedLink(std::string_view link) {
  static constexpr std::array<std::string_view, 4> kAllowed = {"http", "https", "ftp", "mailto"};
  const std::string scheme = SchemeOf(link);
  for (std::string_view allowed : kAllowed) {
    if (scheme == allowed) return true;
  }
  return false;
}

std::string SafeLinkAttribute(std::string_view link) {
  if (!IsAllowedLink(link)) return {};
  return EscapeHtml(link);
}

void AppendSafeAnchor(std::string_view link, std::string_view text, std::string& out) {
  if (!IsAllowedLink(link)) {
    AppendEscapedHtml(text, out);
    return;
  }
  out += "<a href=\"";
  AppendEscapedHtml(link, out);
  out += "\">";
  AppendEscapedHtml(text, out);
  out += "</a>";
}

}  // namespace tarsel
