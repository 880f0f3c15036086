#include "html/node.h"

namespace tarsel::HTML {

const std::string* Node::FindAttribute(const std::string& attribute_name) const {
  for (const Attribute& attribute : attributes) {
    if (attribute.name == attribute_name) return &attribute.value;
  }
  return nullptr;
}

}  // namespace tarsel::HTML
