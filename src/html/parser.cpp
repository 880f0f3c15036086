#include "html/parser.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "html/tag_table.h"

namespace tarsel::HTML {
namespace {

// Dropped with everything up to their closing tag, as script and style are: frames and plug-ins
// load foreign documents, and base would redirect every relative link of the record pane.
constexpr std::string_view kDroppedWithContent[] = {"iframe", "frame",  "frameset",
                                                    "embed",  "applet", "base"};

// Tags dropped, opening and closing, while their content stays. Form controls: a feed has
// nothing to submit, and a form asking for a password in a record pane would only serve to fish
// for one (isindex is the old one-field form). Plaintext never ends in a browser: it would turn
// the page after the record into text.
constexpr std::string_view kDroppedTagsOnly[] = {"form",     "input",   "button",   "select",
                                                 "textarea", "isindex", "plaintext"};

// SVG animations, which set the attribute named by their attributeName on their parent.
constexpr std::string_view kAnimations[] = {"set", "animate", "animatetransform", "animatemotion"};

template <size_t N>
constexpr size_t ShortestOf(const std::string_view (&names)[N]) {
  size_t shortest = names[0].size();
  for (std::string_view name : names) shortest = std::min(shortest, name.size());
  return shortest;
}

// No name of the lists above is shorter: the common short tags (p, a, b, i, br) skip the search.
constexpr size_t kShortestListedName = std::min(
    {ShortestOf(kDroppedWithContent), ShortestOf(kDroppedTagsOnly), ShortestOf(kAnimations)});

// Asked for every tag.
template <size_t N>
bool IsOneOf(const std::string_view (&names)[N], std::string_view name) {
  if (name.size() < kShortestListedName) return false;
  return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}
bool EndsTagName(char c) {
  return IsBlank(c) || c == '/' || c == '>';
}
char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Whether the '<' at `at` opens markup, as a browser's tokenizer decides: a letter, "/", "!" or
// "?" must follow. Any other '<' ("a < b", "<<iframe", "<1") is text, so the element behind it
// is read where a browser reads it.
bool OpensMarkup(std::string_view html, size_t at) {
  if (html[at] != '<' || at + 1 >= html.size()) return false;
  const char next = html[at + 1];
  return IsAsciiLetter(next) || next == '/' || next == '!' || next == '?';
}

enum class TagType { kComment, kClosing, kOpening };

struct OpenElement {
  std::string name;
  TagKind kind;
};

class Parser {
 public:
  Parser(std::string_view html, ParseHandler& handler) : html_(html), handler_(handler) {}

  // Runs to the end of the input or to the first fault, then ends the elements still open.
  void Run();

 private:
  // False when the parse ends here (a stray closing tag at the top level).
  bool HandleClosingTag();
  void HandleOpeningTag();
  void CloseInnermost(bool closed_in_source);
  TagType ReadTagName();
  void EmitText();
  std::string_view ReadAttributeText();
  void SkipPast(char c);
  void SkipElementContent(std::string_view name, bool to_end_when_unclosed);
  size_t FindClosingTag(std::string_view name, size_t from);
  [[noreturn]] void Fail(const char* what) const { throw ParserExeption(what, pos_); }

  std::string_view html_;
  ParseHandler& handler_;
  size_t pos_ = 0;
  std::string name_;  // of the tag being read, lower-cased
  std::vector<OpenElement> open_;
  AttributeSplitter splitter_;
  // Names whose closing tag was searched for in vain, with where the search began: a later
  // search cannot succeed either, so unclosed tags never make the parse quadratic.
  std::vector<std::pair<std::string, size_t>> unclosed_;
};

void Parser::Run() {
  try {
    while (true) {
      // Line breaks between the children of an element are not text.
      if (!open_.empty()) {
        while (pos_ < html_.size() && (html_[pos_] == '\r' || html_[pos_] == '\n')) ++pos_;
      }
      if (pos_ >= html_.size() || !handler_.WantsMore()) break;
      if (!OpensMarkup(html_, pos_)) {
        EmitText();
        continue;
      }
      const TagType type = ReadTagName();
      if (type == TagType::kClosing && !HandleClosingTag()) break;
      if (type == TagType::kOpening) HandleOpeningTag();
    }
  } catch (const ParserExeption&) {
    // The tag being read is dropped; what came before it stays.
  }
  while (!open_.empty()) CloseInnermost(false);
}

bool Parser::HandleClosingTag() {
  if (IsOneOf(kDroppedTagsOnly, name_)) {
    SkipPast('>');
    return true;
  }
  if (open_.empty()) return false;  // a closing tag no element took ends the fragment
  if (name_ == open_.back().name) {
    SkipPast('>');
    CloseInnermost(true);
  } else if (open_.size() >= 2 && name_ == open_[open_.size() - 2].name) {
    // The parent's closing tag ends the child too.
    CloseInnermost(false);
    SkipPast('>');
    CloseInnermost(true);
  } else {
    SkipPast('>');
  }
  return true;
}

void Parser::HandleOpeningTag() {
  // An element ends where another of its name opens; the new one becomes its next sibling.
  // Its parent never has that name, since the same rule ended it.
  if (!open_.empty() && name_ == open_.back().name) CloseInnermost(false);
  const TagInfo info = LookupTag(name_);
  const std::string_view attribute_text = ReadAttributeText();
  if (info.kind == kScript || info.kind == kStyle) {
    SkipElementContent(name_, true);
    return;
  }
  if (info.kind == kMeta || info.kind == kObject || IsOneOf(kDroppedTagsOnly, name_)) return;
  if (IsOneOf(kDroppedWithContent, name_) ||
      (IsOneOf(kAnimations, name_) && splitter_.SetsEventHandler(attribute_text))) {
    if (!attribute_text.ends_with('/')) SkipElementContent(name_, false);
    return;
  }
  if (!info.empty_element && open_.size() + 1 >= static_cast<size_t>(kMaxDepth)) {
    Fail("elements nest too deeply");
  }
  const std::span<const AttributeView> attributes = handler_.WantsAttributes()
                                                        ? splitter_.Split(attribute_text, info.kind)
                                                        : std::span<const AttributeView>();
  handler_.OnOpen({name_, info.kind, info.empty_element, attributes});
  if (!info.empty_element) open_.push_back({name_, info.kind});
}

void Parser::CloseInnermost(bool closed_in_source) {
  handler_.OnClose(open_.back().name, open_.back().kind, closed_in_source);
  open_.pop_back();
}

// Reads "<" and the tag name into name_ (a closing tag's without its '/'), or skips a comment.
// As in a browser, "<?", "<!" other than a comment or a doctype, and "</" without a letter open
// a bogus comment that ends at the next '>'.
TagType Parser::ReadTagName() {
  ++pos_;  // '<', followed by a letter, '/', '!' or '?'
  const std::string_view rest = html_.substr(pos_);
  if (rest.starts_with("!--")) {
    const size_t end = html_.find("-->", pos_ + 3);
    if (end == std::string_view::npos) Fail("comment without end");
    pos_ = end + 3;
    return TagType::kComment;
  }
  const bool doctype =
      rest.size() > 8 && std::equal(rest.begin(), rest.begin() + 8, "!doctype",
                                    [](char a, char b) { return LowerAscii(a) == b; });
  const bool closing = rest[0] == '/';
  if ((rest[0] == '!' && !doctype) || rest[0] == '?' ||
      (closing && (rest.size() < 2 || !IsAsciiLetter(rest[1])))) {
    SkipPast('>');
    return TagType::kComment;
  }
  if (closing) ++pos_;
  const size_t name_start = pos_;
  while (pos_ < html_.size() && !EndsTagName(html_[pos_])) ++pos_;
  if (pos_ >= html_.size()) Fail("end of input in a tag name");
  name_.assign(html_.substr(name_start, pos_ - name_start));
  std::transform(name_.begin(), name_.end(), name_.begin(), LowerAscii);
  return closing ? TagType::kClosing : TagType::kOpening;
}

void Parser::EmitText() {
  size_t end = html_.find('<', pos_ + 1);
  while (end != std::string_view::npos && !OpensMarkup(html_, end)) end = html_.find('<', end + 1);
  end = std::min(end, html_.size());
  handler_.OnText(html_.substr(pos_, end - pos_));
  pos_ = end;
}

// The text after the tag name up to the '>' outside double quotes; the '>' is consumed.
std::string_view Parser::ReadAttributeText() {
  while (pos_ < html_.size() && IsBlank(html_[pos_])) ++pos_;
  const size_t start = pos_;
  while (pos_ < html_.size()) {
    const char c = html_[pos_];
    if (c == '>') return html_.substr(start, pos_++ - start);
    if (c == '"') {
      // Values are the long part of a tag (addresses); their end is found in one search.
      const size_t close = html_.find('"', pos_ + 1);
      if (close == std::string_view::npos) Fail("end of input in a quoted value");
      pos_ = close;
    }
    ++pos_;
  }
  Fail("end of input in a tag");
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

// Builds the tree. Each open element is the last child of its parent, and a parent's child list
// only grows after that child has ended, so the pointers on the stack stay valid.
class TreeBuilder : public ParseHandler {
 public:
  explicit TreeBuilder(NodeList& nodes) : nodes_(nodes) {}

  void OnText(std::string_view raw_text) override {
    Node text;
    text.text.assign(raw_text);
    Current().push_back(std::move(text));
  }

  void OnOpen(const OpeningTag& tag) override {
    Node element;
    element.type = Node::Type::kTag;
    element.name.assign(tag.name);
    element.kind = tag.kind;
    element.empty_element = tag.empty_element;
    element.attributes.reserve(tag.attributes.size());
    for (const AttributeView& attribute : tag.attributes) {
      element.attributes.push_back({std::string(attribute.name), std::string(attribute.value)});
    }
    NodeList& siblings = Current();
    siblings.push_back(std::move(element));
    if (!tag.empty_element) open_.push_back(&siblings.back());
  }

  void OnClose(std::string_view, TagKind, bool closed_in_source) override {
    open_.back()->closed = closed_in_source;
    open_.pop_back();
  }

 private:
  NodeList& Current() { return open_.empty() ? nodes_ : open_.back()->children; }

  NodeList& nodes_;
  std::vector<Node*> open_;
};

}  // namespace

void ParseWith(std::string_view html, ParseHandler& handler) {
  // Texts were zero-terminated strings, and whatever reads the cleaned HTML that way would cut
  // it inside a tag or a value, after the cleaner closed them: the input ends here instead.
  Parser(html.substr(0, html.find('\0')), handler).Run();
}

NodeList Parse(std::string_view html) {
  NodeList nodes;
  TreeBuilder builder(nodes);
  ParseWith(html, builder);
  return nodes;
}

}  // namespace tarsel::HTML
