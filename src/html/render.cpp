#include "html/render.h"

#include <string_view>

#include "html/entities.h"

namespace tarsel::HTML {
namespace {

// A value goes back between double quotes; one of its own would end it early and let the rest
// read as further attributes.
void AppendAttributeValue(std::string_view value, std::string& out) {
  for (char c : value) {
    if (c == '"') {
      out += "&quot;";
    } else {
      out += c;
    }
  }
}

bool EndsWithLineFeed(TagKind kind) {
  return kind == kBreak || kind == kRule || kind == kTableRow || kind == kDiv || kind == kListItem;
}

std::string_view TrimBlanks(std::string_view text) {
  const char* const kBlanks = " \t\r\n";
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

struct ElementPattern {
  TagKind kind;
  std::string_view opening;
  std::string_view closing;  // empty for elements without one
};

constexpr ElementPattern kElementPatterns[] = {
    {kBreak, "{<br}{>}", ""},
    {kRule, "{<hr}{>}", ""},
    {kImage, "{<img}{>}", ""},
    {kAnchor, "{<a}{>}", "{</a>}"},
    {kFont, "{<font}{>}", "{</font>}"},
    {kTable, "{<table}{>}", "{</table>}"},
    {kTableRow, "{<tr}{>}", "{</tr>}"},
    {kTableCell, "{<td}{>}", "{</td>}"},
    {kDiv, "{<div}{>}", "{</div>}"},
    {kSpan, "{<span}{>}", "{</span>}"},
    {kItalic, "{<i>}", "{</i>}"},
    {kUnderline, "{<u>}", "{</u>}"},
    {kStrong, "{<strong>}", "{</strong>}"},
};

void AppendParameter(int& counter, std::string& out) {
  out += "{% param";
  out += std::to_string(counter++);
  out += '}';
}

void AppendPattern(const Node& node, int& counter, std::string& out) {
  if (node.IsText()) {
    if (TrimBlanks(node.text) != "&nbsp;") AppendParameter(counter, out);
    return;
  }
  if (node.kind == kBold) {
    for (const Node& child : node.children) AppendPattern(child, counter, out);
    return;
  }
  for (const ElementPattern& pattern : kElementPatterns) {
    if (pattern.kind != node.kind) continue;
    out += pattern.opening;
    if (pattern.closing.empty()) return;
    if (node.kind == kAnchor && node.children.size() == 1) {
      AppendParameter(counter, out);
      out += pattern.closing;
      return;
    }
    for (const Node& child : node.children) AppendPattern(child, counter, out);
    if (node.closed) out += pattern.closing;
    return;
  }
}

}  // namespace

void AppendCleanedHtml(const Node& node, std::string& out) {
  if (node.IsText()) {
    out += node.text;
    return;
  }
  if (node.kind == kComment) return;
  out += '<';
  out += node.name;
  if (!node.attributes.empty()) {
    out += ' ';
    for (const Attribute& attribute : node.attributes) {
      out += attribute.name;
      out += "=\"";
      AppendAttributeValue(attribute.value, out);
      out += "\" ";
    }
  }
  if (node.empty_element) {
    out += "/>";
    return;
  }
  out += '>';
  for (const Node& child : node.children) AppendCleanedHtml(child, out);
  out += "</";
  out += node.name;
  out += '>';
}

std::string CleanedHtml(const NodeList& nodes) {
  std::string out;
  for (const Node& node : nodes) AppendCleanedHtml(node, out);
  return out;
}

void AppendPlainText(const Node& node, std::string& out) {
  if (node.IsText()) {
    AppendDecodedEntities(node.text, out);
    return;
  }
  for (const Node& child : node.children) AppendPlainText(child, out);
  if (EndsWithLineFeed(node.kind)) out += '\n';
}

std::string PlainText(const NodeList& nodes) {
  std::string out;
  for (const Node& node : nodes) AppendPlainText(node, out);
  return out;
}

std::string StructurePattern(const NodeList& nodes, int& counter) {
  std::string out;
  for (const Node& node : nodes) AppendPattern(node, counter, out);
  return out;
}

}  // namespace tarsel::HTML
