#include "html/parser.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "html/attributes.h"
#include "html/tag_table.h"

namespace tarsel::HTML {
namespace {

// Dropped with everything up to their closing tag, as script and style are: frames and plug-ins
// load foreign documents, and base would redirect every relative link of the record pane.
constexpr std::string_view kDroppedWithContent[] = {"iframe", "frame",  "frameset",
                                                    "embed",  "applet", "base"};

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}
bool EndsTagName(char c) {
  return IsBlank(c) || c == '/' || c == '>';
}
char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

enum class TagType { kComment, kClosing, kOpening };

// What ReadTagName found at a '<'.
struct TagHeader {
  TagType type = TagType::kOpening;
  std::string name;  // lower-cased; a closing tag's name without its '/'
};

class Parser {
 public:
  explicit Parser(std::string_view html) : html_(html) {}

  void ParseTopLevel(NodeList& nodes);

 private:
  void ParseChildren(Node& element, std::string_view parent_name, int depth);
  // Reads an opening tag after its name; false when the tag never enters a tree.
  bool ReadOpeningTag(const std::string& name, Node& node);
  TagHeader ReadTagName();
  void AddText(NodeList& nodes);
  std::string_view ReadAttributeText();
  void SkipPast(char c);
  void SkipElementContent(std::string_view name, bool to_end_when_unclosed);
  size_t FindClosingTag(std::string_view name, size_t from);
  [[noreturn]] void Fail(const char* what) const { throw ParserExeption(what, pos_); }

  std::string_view html_;
  size_t pos_ = 0;
  // Names whose closing tag was searched for in vain, with where the search began: a later
  // search cannot succeed either, so unclosed tags never make the parse quadratic.
  std::vector<std::pair<std::string, size_t>> unclosed_;
};

void Parser::ParseTopLevel(NodeList& nodes) {
  while (pos_ < html_.size()) {
    if (html_[pos_] != '<') {
      AddText(nodes);
      continue;
    }
    TagHeader header = ReadTagName();
    if (header.type == TagType::kComment) continue;
    // A closing tag no element took ends the fragment.
    if (header.type == TagType::kClosing) return;
    Node node;
    if (!ReadOpeningTag(header.name, node)) continue;
    nodes.push_back(std::move(node));
    if (!nodes.back().empty_element) ParseChildren(nodes.back(), {}, 1);
  }
}

void Parser::ParseChildren(Node& element, std::string_view parent_name, int depth) {
  if (depth >= kMaxDepth) Fail("elements nest too deeply");
  while (true) {
    while (pos_ < html_.size() && (html_[pos_] == '\r' || html_[pos_] == '\n')) ++pos_;
    if (pos_ >= html_.size()) return;
    if (html_[pos_] != '<') {
      AddText(element.children);
      continue;
    }
    const size_t tag_start = pos_;
    TagHeader header = ReadTagName();
    if (header.type == TagType::kComment) continue;
    if (header.type == TagType::kClosing) {
      if (header.name == element.name) {
        element.closed = true;
        SkipPast('>');
        return;
      }
      if (!parent_name.empty() && header.name == parent_name) {
        pos_ = tag_start;  // the parent closes on it
        return;
      }
      SkipPast('>');
      continue;
    }
    if (header.name == element.name) {
      pos_ = tag_start;  // becomes the next sibling
      return;
    }
    Node node;
    if (!ReadOpeningTag(header.name, node)) continue;
    element.children.push_back(std::move(node));
    Node& child = element.children.back();
    if (!child.empty_element) ParseChildren(child, element.name, depth + 1);
  }
}

TagHeader Parser::ReadTagName() {
  ++pos_;  // '<'
  while (pos_ < html_.size() && IsBlank(html_[pos_])) ++pos_;
  if (html_.substr(pos_).starts_with("!--")) {
    const size_t end = html_.find("-->", pos_ + 3);
    if (end == std::string_view::npos) Fail("comment without end");
    pos_ = end + 3;
    return {TagType::kComment, {}};
  }
  TagHeader header;
  if (pos_ < html_.size() && html_[pos_] == '/') {
    header.type = TagType::kClosing;
    ++pos_;
  }
  const size_t name_start = pos_;
  while (pos_ < html_.size() && !EndsTagName(html_[pos_])) ++pos_;
  if (pos_ >= html_.size()) Fail("end of input in a tag name");
  header.name.assign(html_.substr(name_start, pos_ - name_start));
  std::transform(header.name.begin(), header.name.end(), header.name.begin(), LowerAscii);
  // "<>" and "< >" name nothing; skip them like a comment.
  if (header.name.empty() && header.type == TagType::kOpening) {
    SkipPast('>');
    return {TagType::kComment, {}};
  }
  return header;
}

bool Parser::ReadOpeningTag(const std::string& name, Node& node) {
  const TagInfo info = LookupTag(name);
  const std::string_view attribute_text = ReadAttributeText();
  if (info.kind == kScript || info.kind == kStyle) {
    SkipElementContent(name, true);
    return false;
  }
  if (info.kind == kMeta || info.kind == kObject) return false;
  if (std::find(std::begin(kDroppedWithContent), std::end(kDroppedWithContent), name) !=
      std::end(kDroppedWithContent)) {
    if (!attribute_text.ends_with('/')) SkipElementContent(name, false);
    return false;
  }
  node.type = Node::Type::kTag;
  node.name = name;
  node.kind = info.kind;
  node.empty_element = info.empty_element;
  node.attributes = SplitAttributes(attribute_text, info.kind);
  return true;
}

void Parser::AddText(NodeList& nodes) {
  const size_t end = std::min(html_.find('<', pos_), html_.size());
  if (end > pos_) {
    Node text;
    text.text.assign(html_.substr(pos_, end - pos_));
    nodes.push_back(std::move(text));
  }
  pos_ = end;
}

// The text after the tag name up to the '>' outside double quotes; the '>' is consumed.
std::string_view Parser::ReadAttributeText() {
  while (pos_ < html_.size() && IsBlank(html_[pos_])) ++pos_;
  const size_t start = pos_;
  bool quoted = false;
  for (; pos_ < html_.size(); ++pos_) {
    const char c = html_[pos_];
    if (c == '"') {
      quoted = !quoted;
    } else if (c == '>' && !quoted) {
      return html_.substr(start, pos_++ - start);
    }
  }
  Fail(quoted ? "end of input in a quoted value" : "end of input in a tag");
}

void Parser::SkipPast(char c) {
  const size_t found = html_.find(c, pos_);
  pos_ = found == std::string_view::npos ? html_.size() : found + 1;
}

// Skips up to and past "</name ...>". When there is none, script and style take the rest of the
// input with them; the others take only their own tag.
void Parser::SkipElementContent(std::string_view name, bool to_end_when_unclosed) {
  const size_t close = FindClosingTag(name, pos_);
  if (close != std::string_view::npos) {
    pos_ = close;
    SkipPast('>');
  } else if (to_end_when_unclosed) {
    pos_ = html_.size();
  }
}

size_t Parser::FindClosingTag(std::string_view name, size_t from) {
  for (const auto& [unclosed_name, searched_from] : unclosed_) {
    if (unclosed_name == name && from >= searched_from) return std::string_view::npos;
  }
  for (size_t at = html_.find("</", from); at != std::string_view::npos;
       at = html_.find("</", at + 2)) {
    const size_t name_start = at + 2;
    if (html_.size() - name_start < name.size()) break;
    bool equal = true;
    for (size_t i = 0; i < name.size() && equal; ++i) {
      equal = LowerAscii(html_[name_start + i]) == name[i];
    }
    const size_t after = name_start + name.size();
    if (equal && (after == html_.size() || EndsTagName(html_[after]))) return at;
  }
  unclosed_.emplace_back(name, from);
  return std::string_view::npos;
}

}  // namespace

NodeList Parse(std::string_view html) {
  NodeList nodes;
  Parser parser(html);
  try {
    parser.ParseTopLevel(nodes);
  } catch (const ParserExeption&) {
    // What was built before the fault stays; the input is exhausted or hostile either way.
  }
  return nodes;
}

}  // namespace tarsel::HTML
