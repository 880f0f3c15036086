#include "parse/feeds/atom_text.h"

#include <cstring>

#include "html/cleaning.h"
#include "html/text.h"

namespace tarsel::feeds {

namespace {

using XMLParser::Node;

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool IsXmlMediaType(std::string_view type) {
  return EndsWith(type, "+xml") || EndsWith(type, "/xml");
}

// A character reference ("#60", "#x3C") to an ASCII character; 0 for anything else.
char AsciiReference(std::string_view name) {
  if (name.size() < 2 || name[0] != '#') return 0;
  const bool hex = name[1] == 'x' || name[1] == 'X';
  std::string_view digits = name.substr(hex ? 2 : 1);
  if (digits.empty() || digits.size() > 6) return 0;
  int value = 0;
  for (char c : digits) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return 0;
    value = value * (hex ? 16 : 10) + digit;
  }
  return value > 0 && value < 0x80 ? static_cast<char>(value) : 0;
}

// A references' names are short; a longer run up to ';' is no reference.
constexpr size_t kLongestReference = 8;

bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

bool Matches(std::string_view rest, std::string_view name, char character, char& decoded) {
  if (!StartsWith(rest, name)) return false;
  decoded = character;
  return true;
}

// The reference that `rest` (the text after a '&') starts with: its character, and the length
// of its name and ';'. Nothing (length 0) when it is none of the five or an ASCII reference.
// Escaped content holds one every few bytes, so the first letter picks the only candidate.
size_t ReadXmlReference(std::string_view rest, char& decoded) {
  if (rest.size() < 3) return 0;
  switch (rest[0]) {
    case 'l':
      return Matches(rest, "lt;", '<', decoded) ? 3 : 0;
    case 'g':
      return Matches(rest, "gt;", '>', decoded) ? 3 : 0;
    case 'a':
      if (Matches(rest, "amp;", '&', decoded)) return 4;
      return Matches(rest, "apos;", '\'', decoded) ? 5 : 0;
    case 'q':
      return Matches(rest, "quot;", '"', decoded) ? 5 : 0;
    case '#':
      break;
    default:
      return 0;
  }
  const size_t semicolon = rest.substr(0, kLongestReference + 1).find(';');
  if (semicolon == std::string_view::npos) return 0;
  decoded = AsciiReference(rest.substr(0, semicolon));
  return decoded == 0 ? 0 : semicolon + 1;
}

// Text in a CDATA section is the text itself; outside, its own escaping is still in place, all
// but the markup of child elements, which text should not hold and which is shown as written.
std::string TextAsHtml(const Node& construct) {
  if (construct.cdata) return EscapeText(construct.InnerXml());
  std::string markup = construct.InnerXml();
  if (markup.find_first_of("<>") == std::string::npos) return markup;
  std::string escaped;
  escaped.reserve(markup.size() + 16);
  for (char c : markup) {
    if (c == '<') {
      escaped += "&lt;";
    } else if (c == '>') {
      escaped += "&gt;";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

// Child markup in an html construct is not what the type says, but it is HTML all the same.
std::string HtmlOfHtml(const Node& construct) {
  if (construct.cdata) return construct.InnerXml();
  return construct.IsLeaf() ? UnescapeXml(construct.text) : UnescapeXml(construct.InnerXml());
}

bool IsDiv(const Node& node) {
  return node.name == "div" || EndsWith(node.name, ":div");
}

// The blanks that indent the div's content are not part of it.
std::string TrimmedMarkup(std::string markup) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const size_t last = markup.find_last_not_of(kBlanks);
  if (last == std::string::npos) return std::string();
  markup.erase(last + 1);
  markup.erase(0, markup.find_first_not_of(kBlanks));
  return markup;
}

std::string HtmlOfXhtml(const Node& construct) {
  if (const XMLParser::NodeList* children = construct.Children()) {
    for (const auto& child : *children) {
      if (IsDiv(*child)) return TrimmedMarkup(child->InnerXml());
    }
  }
  return TrimmedMarkup(construct.InnerXml());
}

}  // namespace

TextKind KindOfText(const Node& construct) {
  const std::string& type = construct.GetAttribute("type");
  if (type.empty() || type == "text" || type == "text/plain") return TextKind::kText;
  if (type == "html" || type == "text/html") return TextKind::kHtml;
  if (type == "xhtml" || IsXmlMediaType(type)) return TextKind::kXhtml;
  if (type.compare(0, 5, "text/") == 0) return TextKind::kText;
  return TextKind::kData;
}

std::string TextConstructHtml(const Node& construct) {
  switch (KindOfText(construct)) {
    case TextKind::kText:
      return TextAsHtml(construct);
    case TextKind::kHtml:
      return HtmlOfHtml(construct);
    case TextKind::kXhtml:
      return HtmlOfXhtml(construct);
    case TextKind::kData:
      break;
  }
  return std::string();
}

std::string TextConstructEscapedText(const Node& construct, int code_page) {
  const TextKind kind = KindOfText(construct);
  if (kind == TextKind::kText) return TextAsHtml(construct);
  if (kind == TextKind::kData) return std::string();
  const std::string html = TextConstructHtml(construct);
  // Most titles hold neither markup nor references, and are their own plain text.
  if (html.find_first_of("<&") == std::string::npos) return EscapeText(html);
  return EscapeText(HTML::HtmlToPlainText(html, code_page));
}

std::string UnescapeXml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t done = 0;
  for (size_t amp = text.find('&'); amp != std::string_view::npos; amp = text.find('&', amp + 1)) {
    char decoded = 0;
    const size_t length = ReadXmlReference(text.substr(amp + 1), decoded);
    if (length == 0) continue;
    out.append(text.substr(done, amp - done));
    out += decoded;
    done = amp + 1 + length;
    amp = done - 1;
  }
  out.append(text.substr(done));
  return out;
}

std::string EscapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 16);
  HTML::AppendEscapedHtml(text, out, HTML::QuoteEscaping::kNone);
  return out;
}

}  // namespace tarsel::feeds
