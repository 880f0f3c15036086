#pragma once

// A compact picture of a parsed tree, so that table rows can state whole trees in one string:
//   element   name(attr=value,...)'own text'*[child,child]   (* marks the CDATA flag)
//   text      #'text'
//   comment   !'body'

#include <string>

#include "parse/xml/xml_node.h"

namespace tarsel::XMLParser::testing {

inline std::string Dump(const Node& node) {
  if (node.IsNull()) return "null";
  if (node.name.empty()) return "#'" + node.text + "'";
  if (node.name == "!") return "!'" + node.text + "'";
  std::string out = node.name;
  if (const AttributeList* attributes = node.Attributes()) {
    out += '(';
    for (const Attribute& attribute : *attributes) {
      if (&attribute != &attributes->front()) out += ',';
      out += attribute.name + "=" + attribute.value;
    }
    out += ')';
  }
  if (!node.text.empty()) out += "'" + node.text + "'";
  if (node.cdata) out += '*';
  if (const NodeList* children = node.Children()) {
    out += '[';
    for (const auto& child : *children) {
      if (&child != &children->front()) out += ',';
      out += Dump(*child);
    }
    out += ']';
  }
  return out;
}

}  // namespace tarsel::XMLParser::testing
