#include "parse/xml/xml_element.h"

namespace tarsel::XMLParser {
namespace {

char FoldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

}  // namespace

void Element::AddAttribute(std::string attribute_name, std::string value) {
  attributes_.push_back(Attribute{std::move(attribute_name), std::move(value)});
}

void Element::TakeChildren(NodeList& from, std::size_t first) {
  if (first >= from.size()) return;
  children_.reserve(children_.size() + (from.size() - first));
  for (std::size_t i = first; i < from.size(); ++i) children_.push_back(std::move(from[i]));
  from.resize(first);
}

void Element::TakeAttributes(AttributeList& from) {
  attributes_.reserve(attributes_.size() + from.size());
  for (Attribute& attribute : from) attributes_.push_back(std::move(attribute));
  from.clear();
}

bool Element::AddChild(std::unique_ptr<Node>& node) {
  if (!node) return false;
  children_.push_back(std::move(node));
  return true;
}

void Element::FindChildren(std::string_view wanted, NodeRefs& out) const {
  out.clear();
  for (const auto& child : children_) {
    if (child->name == wanted) out.push_back(child.get());
  }
}

void Element::FindDescendants(std::string_view wanted, NodeRefs& out) const {
  if (name == wanted) out.push_back(this);
  for (const auto& child : children_) child->FindDescendants(wanted, out);
}

const Node& Element::FindChild(std::string_view wanted, bool ignore_case) const {
  for (const auto& child : children_) {
    if (ignore_case ? EqualIgnoringAsciiCase(child->name, wanted) : child->name == wanted) {
      return *child;
    }
  }
  return NullNode::Instance();
}

const Node& Element::FindChildAt(std::string_view wanted, std::size_t index) const {
  for (const auto& child : children_) {
    if (child->name != wanted) continue;
    if (index == 0) return *child;
    --index;
  }
  return NullNode::Instance();
}

const Attribute* Element::FindAttribute(std::string_view wanted) const {
  for (const auto& attribute : attributes_) {
    if (attribute.name == wanted) return &attribute;
  }
  return nullptr;
}

std::string Element::InnerXml() const {
  std::string out = text;
  for (const auto& child : children_) child->AppendXml(out, false, 0);
  return out;
}

void Element::AppendXml(std::string& out, bool pretty, int depth) const {
  out += '<';
  out += name;
  for (const auto& attribute : attributes_) {
    out += ' ';
    out += attribute.name;
    out += "=\"";
    out += attribute.value;
    out += '"';
  }
  if (text.empty() && children_.empty()) {
    out += pretty ? "/>\n" : "/>";
    return;
  }
  out += pretty ? ">\n" : ">";
  if (!text.empty()) {
    out += text;
  } else {
    for (const auto& child : children_) child->AppendXml(out, pretty, depth + 1);
  }
  out += "</";
  out += name;
  out += pretty ? ">\n" : ">";
}

}  // namespace tarsel::XMLParser
