#pragma once

// An element node: attributes and children in document order, both owned.

#include <string>

#include "parse/xml/xml_node.h"

namespace tarsel::XMLParser {

class Element final : public Node {
 public:
  // `element_name` should already be lower case; lookups compare bytes exactly.
  explicit Element(std::string element_name) : Node(std::move(element_name), std::string()) {}

  // Duplicates are kept; lookups take the first.
  void AddAttribute(std::string attribute_name, std::string value);

  bool AddChild(std::unique_ptr<Node>& node) override;
  // Moves the nodes from[first...] (none null) to the end of the children and drops them from
  // `from`; the reader gathers children on one shared stack so that each list is allocated once.
  void TakeChildren(NodeList& from, std::size_t first);
  // Moves all of `from` to the end of the attributes and empties it.
  void TakeAttributes(AttributeList& from);
  void FindChildren(std::string_view wanted, NodeRefs& out) const override;
  const NodeList* Children() const override { return children_.empty() ? nullptr : &children_; }
  void FindDescendants(std::string_view wanted, NodeRefs& out) const override;
  const Node& FindChild(std::string_view wanted, bool ignore_case) const override;
  const Node& FindChildAt(std::string_view wanted, std::size_t index) const override;
  const AttributeList* Attributes() const override {
    return attributes_.empty() ? nullptr : &attributes_;
  }
  std::string InnerXml() const override;
  bool IsLeaf() const override { return children_.empty(); }
  void AppendXml(std::string& out, bool pretty, int depth) const override;

 protected:
  const Attribute* FindAttribute(std::string_view wanted) const override;

 private:
  AttributeList attributes_;
  NodeList children_;
};

}  // namespace tarsel::XMLParser
