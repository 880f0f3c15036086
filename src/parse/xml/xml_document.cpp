#include "parse/xml/xml_document.h"

#include <sys/types.h>

#include <new>

#include "parse/xml/xml_node_arena.h"
#include "parse/xml/xml_reader.h"

namespace tarsel::XMLParser {

Document::Document() : version_("1.0"), encoding_("Automatic") {}

Document::~Document() = default;

const Node& Document::ParseBuffer(const char* bytes, std::size_t length) {
  static const char kNothing = '\0';
  if (!bytes) {
    bytes = &kNothing;
    length = 0;
  }
  auto arena = std::make_unique<NodeArena>();
  std::unique_ptr<Element> root = ReadDocument(bytes, length, *arena, version_, encoding_);
  root_ = std::move(root);  // the old tree goes before the old arena
  arena_ = std::move(arena);
  return *root_;
}

const Node& Document::ParseFile(std::FILE* file) {
  if (!file || fseeko(file, 0, SEEK_END) != 0) return NullNode::Instance();
  off_t size = ftello(file);
  if (size < 0 || fseeko(file, 0, SEEK_SET) != 0) return NullNode::Instance();
  std::unique_ptr<char[]> bytes(new (std::nothrow) char[static_cast<std::size_t>(size) + 1]);
  if (!bytes) return NullNode::Instance();
  std::size_t read = std::fread(bytes.get(), 1, static_cast<std::size_t>(size), file);
  bytes[read] = '\0';
  return ParseBuffer(bytes.get(), read);
}

const Node& Document::Root() const {
  if (root_) return *root_;
  return NullNode::Instance();
}

}  // namespace tarsel::XMLParser
