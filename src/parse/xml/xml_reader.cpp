#include "parse/xml/xml_reader.h"

#include <cstring>

#include "parse/xml/xml_cursor.h"
#include "parse/xml/xml_document.h"
#include "parse/xml/xml_prolog.h"

namespace tarsel::XMLParser {
namespace {

class ElementReader {
 public:
  ElementReader(Cursor& cursor, NodeArena& arena) : cursor_(cursor), arena_(arena) {}

  // An element starting at the read position, or null when there is no '<' here.
  std::unique_ptr<Element> ReadElement();
  // Blanks and comments between the prolog, the root and the end; the comments are dropped.
  void SkipBlanksAndComments();

 private:
  void ReadAttributes(Element& element);
  void ReadContent(Element& element);
  bool ReadEndTag(const Element& element);
  void PushText(const char* first, const char* last);
  std::unique_ptr<Comment> ReadComment();
  void ReadCData(Element& element);

  Cursor& cursor_;
  NodeArena& arena_;
  int depth_ = 0;
  std::string attribute_name_;
  AttributeList attributes_;
  // Children of every open element, innermost last.
  NodeList open_children_;
};

std::unique_ptr<Element> ElementReader::ReadElement() {
  if (cursor_.Peek() != '<') return nullptr;
  cursor_.Advance();
  std::string name;
  if (!cursor_.ReadName(name)) cursor_.Fail();
  if (++depth_ > kMaxDepth) cursor_.Fail();
  std::unique_ptr<Element> element(new (arena_) Element(std::move(name)));
  ReadAttributes(*element);
  int c = cursor_.Next();
  if (c == '/') {
    if (cursor_.Next() != '>') cursor_.Fail();
  } else if (c == '>') {
    ReadContent(*element);
  } else {
    cursor_.Fail();
  }
  --depth_;
  return element;
}

// Every attribute needs a blank before it, a '=' and a quoted value; HTML's bare or unquoted
// attributes are errors. Values are kept byte for byte.
void ElementReader::ReadAttributes(Element& element) {
  while (cursor_.SkipBlanks() && cursor_.ReadName(attribute_name_)) {
    cursor_.SkipBlanks();
    if (cursor_.Next() != '=') cursor_.Fail();
    cursor_.SkipBlanks();
    int quote = cursor_.Next();
    if (quote != '"' && quote != '\'') cursor_.Fail();
    const char* start = cursor_.Position();
    const void* close = std::memchr(start, quote, cursor_.End() - start);
    if (!close) cursor_.FailAt(cursor_.End());
    const char* stop = static_cast<const char*>(close);
    attributes_.push_back(Attribute{attribute_name_, std::string(start, stop)});
    cursor_.MoveTo(stop + 1);
  }
  if (!attributes_.empty()) element.TakeAttributes(attributes_);
}

// Character data between nodes becomes Text children, except the last run of an element without
// children, which is its own text. The end of input closes every open element quietly.
void ElementReader::ReadContent(Element& element) {
  const std::size_t first_child = open_children_.size();
  const char* segment = cursor_.Position();
  for (;;) {
    const char* here = cursor_.Position();
    const void* found = std::memchr(here, '<', cursor_.End() - here);
    if (!found) {
      cursor_.MoveTo(cursor_.End());
      break;
    }
    const char* tag = static_cast<const char*>(found);
    cursor_.MoveTo(tag);
    // A name right after '<' can only start a child; anything else may be an end tag, a comment
    // or a CDATA section (or, with a CR between, any of them).
    const bool child_start = tag + 1 < cursor_.End() && chars::Has(tag[1], chars::kNameStart);
    if (!child_start && ReadEndTag(element)) {
      if (tag != segment && open_children_.size() == first_child) {
        AppendTrimmed(element.text, segment, tag);
        element.cdata = false;
      } else if (tag != segment) {
        PushText(segment, tag);
      }
      break;
    }
    if (tag != segment) PushText(segment, tag);
    if (child_start) {
      open_children_.push_back(ReadElement());
    } else if (cursor_.MatchExact("<!--")) {
      open_children_.push_back(ReadComment());
    } else if (cursor_.MatchExact("<![CDATA[")) {
      ReadCData(element);
    } else {
      // Anything else after '<' (an instruction, a declaration) fails here as a nameless element.
      open_children_.push_back(ReadElement());
    }
    segment = cursor_.Position();
  }
  element.TakeChildren(open_children_, first_child);
}

bool ElementReader::ReadEndTag(const Element& element) {
  if (!cursor_.MatchExact("</")) return false;
  bool same_name = false;
  if (!cursor_.ReadNameEqualTo(element.name, same_name) || !same_name) cursor_.Fail();
  cursor_.SkipBlanks();
  if (cursor_.Next() != '>') cursor_.Fail();
  return true;
}

void ElementReader::PushText(const char* first, const char* last) {
  std::string run;
  AppendTrimmed(run, first, last);
  open_children_.emplace_back(new (arena_) Text(std::move(run)));
}

std::unique_ptr<Comment> ElementReader::ReadComment() {
  const char* body = cursor_.Position();
  const char* close = cursor_.Find("-->");
  const char* limit = close ? close : cursor_.End();
  if (const void* zero = std::memchr(body, '\0', limit - body)) {
    cursor_.FailAt(static_cast<const char*>(zero));
  }
  if (!close) cursor_.FailAt(limit);
  std::string text;
  AppendTrimmed(text, body, close);
  cursor_.MoveTo(cursor_.LiteralAt(close, "-->"));
  return std::unique_ptr<Comment>(new (arena_) Comment(std::move(text)));
}

void ElementReader::ReadCData(Element& element) {
  const char* body = cursor_.Position();
  const char* close = cursor_.Find("]]>");
  if (!close) cursor_.FailAt(cursor_.End());
  AppendTrimmed(element.text, body, close);
  element.cdata = true;
  cursor_.MoveTo(cursor_.LiteralAt(close, "]]>"));
}

void ElementReader::SkipBlanksAndComments() {
  for (;;) {
    cursor_.SkipBlanks();
    if (!cursor_.MatchExact("<!--")) return;
    ReadComment();
  }
}

}  // namespace

std::unique_ptr<Element> ReadDocument(const char* bytes, std::size_t length, NodeArena& arena,
                                      std::string& version, std::string& encoding) {
  Cursor cursor(bytes, length);
  ReadProlog(cursor, version, encoding);
  ElementReader reader(cursor, arena);
  reader.SkipBlanksAndComments();
  std::unique_ptr<Element> root = reader.ReadElement();
  if (!root) cursor.Fail();
  reader.SkipBlanksAndComments();
  return root;
}

}  // namespace tarsel::XMLParser
