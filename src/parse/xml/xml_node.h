#pragma once

// The tree the XML reader builds. Texts and names are bytes in whatever encoding the document
// used: nothing is decoded, no entity is resolved. Element and attribute names are lower case, so
// every lookup takes a lower-case name ("pubdate", "xmlurl", "rdf:rdf").
//
// Lookups that find nothing return the one shared null node (NullNode::Instance()), so callers
// chain them and read texts without checks:
//   root.FindChildAt("channel", 0).FindChildAt("title", 0).text
//
// A tree is read-only once built; several threads may read one tree at the same time. The null
// node is immutable and may be used from any thread.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel::XMLParser {

class Node;
class NodeArena;

struct Attribute {
  std::string name;   // lower case
  std::string value;  // the bytes between the quotes, unchanged
};

using AttributeList = std::vector<Attribute>;
using NodeList = std::vector<std::unique_ptr<Node>>;
// Results of FindChildren / FindDescendants: borrowed pointers into the tree.
using NodeRefs = std::vector<const Node*>;

// Base of every node. Element behaviour lives in Element; the defaults here are what text nodes,
// comments and the null node answer.
class Node {
 public:
  Node() = default;
  Node(std::string node_name, std::string node_text)
      : name(std::move(node_name)), text(std::move(node_text)) {}
  virtual ~Node() = default;
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;

  // Nodes come from the heap, or from the arena of the Document that read them; delete knows
  // which.
  static void* operator new(std::size_t size);
  static void* operator new(std::size_t size, NodeArena& arena);
  static void operator delete(void* node);
  static void operator delete(void* node, NodeArena& arena);

  // Elements: the name in lower case. Comments: "!". Text nodes and the null node: empty.
  std::string name;
  // The node's own text: an element's character data (only when it has no children) and CDATA
  // content, trimmed of tabs, CRs and LFs at both ends.
  std::string text;
  // True when the own text was last extended from a CDATA section (such text needs no entity
  // decoding).
  bool cdata = false;

  virtual bool IsNull() const { return false; }
  // Elements take the node (leaving `node` empty) and return true; other nodes return false and
  // leave `node` as it was.
  virtual bool AddChild(std::unique_ptr<Node>& node);
  // Clears `out`, then lists every direct child named exactly `wanted`.
  virtual void FindChildren(std::string_view wanted, NodeRefs& out) const;
  // The children, or nullptr when there are none.
  virtual const NodeList* Children() const { return nullptr; }
  // Appends this node when its name is `wanted`, then every matching descendant in document order.
  // `out` is not cleared.
  virtual void FindDescendants(std::string_view wanted, NodeRefs& out) const;
  // First direct child named `wanted` (ASCII case ignored when `ignore_case`), else the null node.
  virtual const Node& FindChild(std::string_view wanted, bool ignore_case) const;
  // The index-th (from 0) direct child named exactly `wanted`, else the null node.
  virtual const Node& FindChildAt(std::string_view wanted, std::size_t index) const;
  const Node& FindChildNoCase(std::string_view wanted) const { return FindChild(wanted, true); }
  // The attributes, or nullptr when there are none.
  virtual const AttributeList* Attributes() const { return nullptr; }
  // Value of the first attribute named exactly `wanted`; an empty string when absent.
  const std::string& GetAttribute(std::string_view wanted) const;
  // True only for the value "true"; `fallback` when the attribute is absent.
  bool GetAttributeBool(std::string_view wanted, bool fallback) const;
  // The value read as atoi reads it (leading blanks, sign, digits; 0 when none, clamped to the
  // int range); `fallback` when the attribute is absent.
  int GetAttributeInt(std::string_view wanted, int fallback) const;
  // The node as markup. Nothing is escaped; `depth` adds no indentation. `pretty` ends every tag
  // with a LF.
  std::string ToXml(bool pretty, int depth) const;
  // Own text followed by the markup of every child.
  virtual std::string InnerXml() const { return std::string(); }
  virtual bool IsLeaf() const { return true; }

  // Appends what ToXml returns to `out`.
  virtual void AppendXml(std::string& out, bool pretty, int depth) const;

 protected:
  // The attribute named `wanted`, or nullptr.
  virtual const Attribute* FindAttribute(std::string_view wanted) const;
};

// One run of character data between other nodes of an element.
class Text final : public Node {
 public:
  explicit Text(std::string run) : Node(std::string(), std::move(run)) {}
  std::string InnerXml() const override { return text; }
  void AppendXml(std::string& out, bool pretty, int depth) const override;
};

// A comment inside an element; `text` is the body, trimmed.
class Comment final : public Node {
 public:
  explicit Comment(std::string body) : Node("!", std::move(body)) {}
  void AppendXml(std::string&, bool, int) const override {}
};

// The answer of every lookup that finds nothing. There is exactly one, never owned by a tree.
class NullNode final : public Node {
 public:
  static const NullNode& Instance();
  bool IsNull() const override { return true; }
  void AppendXml(std::string&, bool, int) const override {}

 private:
  NullNode() = default;
};

}  // namespace tarsel::XMLParser
