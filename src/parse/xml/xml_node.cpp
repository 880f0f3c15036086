#include "parse/xml/xml_node.h"

#include <climits>

namespace tarsel::XMLParser {
namespace {

const std::string kEmpty;

bool IsAtoiBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// atoi without its undefined behaviour on overflow: the result saturates instead.
int ReadDecimal(std::string_view digits) {
  std::size_t i = 0;
  while (i < digits.size() && IsAtoiBlank(digits[i])) ++i;
  bool negative = false;
  if (i < digits.size() && (digits[i] == '+' || digits[i] == '-')) negative = digits[i++] == '-';
  long long value = 0;
  for (; i < digits.size() && digits[i] >= '0' && digits[i] <= '9'; ++i) {
    value = value * 10 + (digits[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) break;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace

bool Node::AddChild(std::unique_ptr<Node>&) {
  return false;
}

void Node::FindChildren(std::string_view, NodeRefs&) const {}

void Node::FindDescendants(std::string_view, NodeRefs&) const {}

const Node& Node::FindChild(std::string_view, bool) const {
  return NullNode::Instance();
}

const Node& Node::FindChildAt(std::string_view, std::size_t) const {
  return NullNode::Instance();
}

const Attribute* Node::FindAttribute(std::string_view) const {
  return nullptr;
}

const std::string& Node::GetAttribute(std::string_view wanted) const {
  const Attribute* attribute = FindAttribute(wanted);
  return attribute ? attribute->value : kEmpty;
}

bool Node::GetAttributeBool(std::string_view wanted, bool fallback) const {
  const Attribute* attribute = FindAttribute(wanted);
  return attribute ? attribute->value == "true" : fallback;
}

int Node::GetAttributeInt(std::string_view wanted, int fallback) const {
  const Attribute* attribute = FindAttribute(wanted);
  return attribute ? ReadDecimal(attribute->value) : fallback;
}

std::string Node::ToXml(bool pretty, int depth) const {
  std::string out;
  AppendXml(out, pretty, depth);
  return out;
}

void Node::AppendXml(std::string&, bool, int) const {}

void Text::AppendXml(std::string& out, bool, int) const {
  out += text;
}

const NullNode& NullNode::Instance() {
  static const NullNode instance;
  return instance;
}

}  // namespace tarsel::XMLParser
