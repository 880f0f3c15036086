#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

// The tree of the HTML toolkit. Text is bytes in the program's code page. A node owns its
// children; the top level is a NodeList owned by the caller.
namespace tarsel::HTML {

// Tag kinds of the fixed tag table; a name not in the table is kUnknown.
enum TagKind : int {
  kComment = 0,
  kAnchor = 1,
  kBreak = 2,
  kRule = 3,
  kMeta = 4,
  kImage = 5,
  kLink = 6,
  kInput = 8,
  kFont = 9,
  kUnknown = 10,
  kTable = 12,
  kTableRow = 13,
  kTableCell = 14,
  kScript = 15,
  kObject = 16,
  kStyle = 17,
  kDiv = 18,
  kSpan = 19,
  kItalic = 20,
  kBold = 21,
  kUnderline = 22,
  kStrong = 23,
  kDoctype = 24,
  kOption = 25,
  kListItem = 26,
  kUnorderedList = 27,
  kOrderedList = 28,
};

struct Attribute {
  std::string name;   // lower-cased
  std::string value;  // raw, entities not decoded
};

struct Node;
using NodeList = std::vector<Node>;

struct Node {
  enum class Type { kText, kTag };

  Type type = Type::kText;
  // Text node: the raw text between two tags, entities not decoded.
  std::string text;
  // Tag node: lower-cased name, its kind, whether the table makes it an empty element, the
  // attributes in source order, the children, and whether the source closed it explicitly.
  std::string name;
  TagKind kind = kUnknown;
  bool empty_element = false;
  bool closed = false;
  std::vector<Attribute> attributes;
  NodeList children;

  bool IsText() const { return type == Type::kText; }
  // The value of the first attribute with this (lower-case) name, or nullptr.
  const std::string* FindAttribute(const std::string& attribute_name) const;
};

// Raised inside the parser when the input ends inside a tag name, the attribute text, a quoted
// value or a comment, or when elements nest too deeply. Parse catches it and keeps what it has.
class ParserExeption : public std::runtime_error {
 public:
  ParserExeption(const char* what, size_t position)
      : std::runtime_error(what), position_(position) {}
  size_t position() const { return position_; }

 private:
  size_t position_;
};

}  // namespace tarsel::HTML
