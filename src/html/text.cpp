#include "html/text.h"

#include <algorithm>
#include <cstring>

#include "html/entities.h"
#include "html/markup_writer.h"

namespace tarsel::HTML {
namespace {

constexpr size_t kStripReserve = 10000;

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsLineBreak(char c) {
  return c == '\r' || c == '\n';
}

// Whether the '<' at `at` opens markup rather than standing in text ("a < b").
bool OpensMarkup(std::string_view html, size_t at) {
  if (at + 1 >= html.size()) return false;
  const char next = html[at + 1];
  return IsAsciiLetter(next) || next == '/' || next == '!' || next == '?';
}

// Whether the tag name at `at` is `lower_name` (any case) followed by something else than a
// letter.
bool NameIs(std::string_view html, size_t at, std::string_view lower_name) {
  if (html.size() - at <= lower_name.size()) return false;
  for (size_t i = 0; i < lower_name.size(); ++i) {
    if ((html[at + i] | 0x20) != lower_name[i]) return false;
  }
  return !IsAsciiLetter(html[at + lower_name.size()]);
}

// Where a script or style element that starts at `from` ends (just past its closing tag).
size_t SkipRawElement(std::string_view html, size_t from, std::string_view name) {
  for (size_t at = html.find("</", from); at != std::string_view::npos;
       at = html.find("</", at + 2)) {
    if (NameIs(html, at + 2, name)) {
      const size_t end = html.find('>', at);
      return end == std::string_view::npos ? html.size() : end + 1;
    }
  }
  return html.size();
}

}  // namespace

std::string StripTags(std::string_view html, int code_page) {
  std::string text;
  text.reserve(kStripReserve);
  size_t pos = 0;
  while (pos < html.size()) {
    size_t lt = html.find('<', pos);
    while (lt != std::string_view::npos && !OpensMarkup(html, lt)) lt = html.find('<', lt + 1);
    text.append(html.substr(pos, std::min(lt, html.size()) - pos));
    if (lt == std::string_view::npos) break;
    if (html.substr(lt).starts_with("<!--")) {
      const size_t end = html.find("-->", lt + 4);
      pos = end == std::string_view::npos ? html.size() : end + 3;
      continue;
    }
    const size_t gt = html.find('>', lt);
    if (gt == std::string_view::npos) break;  // a tag cut off by the end
    pos = gt + 1;
    for (std::string_view raw : {"script", "style"}) {
      if (NameIs(html, lt + 1, raw)) pos = SkipRawElement(html, pos, raw);
    }
  }
  // Addresses in text keep their query names, as the summary keeps them.
  DecodeEntitiesInPlace(text, code_page, EntityContext::kAttribute);
  return text;
}

void LimitLinesInPlace(std::string& text, int max_lines) {
  size_t read = 0;
  size_t write = 0;
  int lines = 0;
  while (read < text.size()) {
    // A line's bytes move as one block, and stay where they are until a break was dropped.
    const size_t line_end = std::min(FindAnyOf<'\r', '\n'>(text, read), text.size());
    if (write != read) std::memmove(text.data() + write, text.data() + read, line_end - read);
    write += line_end - read;
    read = line_end;
    if (read == text.size()) break;
    const char c = text[read];
    if (write > 0) {
      ++lines;
      if (max_lines > 0 && lines >= max_lines) break;
    }
    text[write++] = c;
    while (read < text.size() && IsLineBreak(text[read])) ++read;
  }
  while (write > 0 && IsLineBreak(text[write - 1])) --write;
  text.resize(write);
}

std::string LimitLines(std::string_view text, int max_lines) {
  std::string limited(text);
  LimitLinesInPlace(limited, max_lines);
  return limited;
}

namespace {

std::string_view MarkupCharacters(QuoteEscaping quotes) {
  switch (quotes) {
    case QuoteEscaping::kNone:
      return "&<>";
    case QuoteEscaping::kDouble:
      return "&<>\"";
    case QuoteEscaping::kDoubleAndSingle:
      break;
  }
  return "&<>\"'";
}

std::string_view ReferenceFor(char markup) {
  switch (markup) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    default:
      return "&#39;";
  }
}

}  // namespace

void AppendEscapedHtml(std::string_view text, std::string& out, QuoteEscaping quotes) {
  const std::string_view markup = MarkupCharacters(quotes);
  size_t start = 0;
  for (size_t found = text.find_first_of(markup); found != std::string_view::npos;
       found = text.find_first_of(markup, start)) {
    out.append(text.substr(start, found - start));
    out.append(ReferenceFor(text[found]));
    start = found + 1;
  }
  out.append(text.substr(start));
}

}  // namespace tarsel::HTML
