#include "html/render.h"

#include <string_view>

#include "html/entities.h"
#include "html/markup_writer.h"
#include "platform/blank_trim.h"

namespace tarsel::HTML {
namespace {

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
    AppendText(node.text, out);
    return;
  }
  // A link element loads a style sheet (feed link discovery reads them from the tree).
  if (node.kind == kComment || node.kind == kLink) return;
  AppendOpeningTag(node.name, node.attributes, node.empty_element, out);
  if (node.empty_element) return;
  for (const Node& child : node.children) AppendCleanedHtml(child, out);
  AppendClosingTag(node.name, out);
}

std::string CleanedHtml(const NodeList& nodes) {
  std::string out;
  for (const Node& node : nodes) AppendCleanedHtml(node, out);
  return out;
}

void AppendPlainText(const Node& node, int code_page, std::string& out) {
  if (node.IsText()) {
    // Addresses in text keep their query names, as the summary keeps them.
    AppendDecodedEntities(node.text, code_page, out, EntityContext::kAttribute);
    return;
  }
  for (const Node& child : node.children) AppendPlainText(child, code_page, out);
  if (EndsWithLineFeed(node.kind)) out += '\n';
}

std::string PlainText(const NodeList& nodes, int code_page) {
  std::string out;
  for (const Node& node : nodes) AppendPlainText(node, code_page, out);
  return out;
}

std::string StructurePattern(const NodeList& nodes, int& counter) {
  std::string out;
  for (const Node& node : nodes) AppendPattern(node, counter, out);
  return out;
}

}  // namespace tarsel::HTML
