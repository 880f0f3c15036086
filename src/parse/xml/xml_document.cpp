#include "parse/xml/xml_document.h"

namespace tarsel::XMLParser {

Document::Document() : version_("1.0"), encoding_("Automatic") {}

Document::~Document() = default;

const Node& Document::ParseBuffer(const char*, std::size_t) {
  throw Exception{1, 1};
}

const Node& Document::ParseFile(std::FILE*) {
  return NullNode::Instance();
}

const Node& Document::Root() const {
  if (root_) return *root_;
  return NullNode::Instance();
}

}  // namespace tarsel::XMLParser
