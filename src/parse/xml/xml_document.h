#pragma once

// The program's own small XML reader: non-validating, byte-oriented. It decodes no character set
// and resolves no entity; the encoding named by the XML declaration is only reported.
//
// Malformed input throws XMLParser::Exception; any byte string gives either a tree or the
// exception. Nesting deeper than kMaxDepth elements throws too.
//
// A Document is used by one thread at a time; the tree it returns lives as long as the Document
// (or until the next successful parse).

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "parse/xml/xml_element.h"
#include "parse/xml/xml_exception.h"
#include "parse/xml/xml_node.h"

namespace tarsel::XMLParser {

// Elements nested deeper than this throw instead of exhausting the stack.
inline constexpr int kMaxDepth = 4096;

class NodeArena;

class Document {
 public:
  Document();
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // Reads `length` bytes (only borrowed for the call) and returns the root element, which the
  // Document keeps. On success the previous root is replaced; on failure it throws Exception and
  // keeps the previous root (version and encoding keep whatever the failed declaration set).
  const Node& ParseBuffer(const char* bytes, std::size_t length);
  const Node& ParseBuffer(std::string_view bytes) {
    return ParseBuffer(bytes.data(), bytes.size());
  }
  // Reads the whole of an open file from its start and parses it as ParseBuffer does. Returns the
  // null node, parsing nothing, when the size cannot be taken or the bytes cannot be allocated.
  const Node& ParseFile(std::FILE* file);

  // "1.0" until a declaration gives another; stored as read.
  const std::string& Version() const { return version_; }
  // "Automatic" until a declaration gives one; a declared value is lower case.
  const std::string& Encoding() const { return encoding_; }
  // The root element, or the null node before the first successful parse.
  const Node& Root() const;

 private:
  std::string version_;
  std::string encoding_;
  // Declared before the root, which lives in it, so that it goes after the root.
  std::unique_ptr<NodeArena> arena_;
  std::unique_ptr<Element> root_;
};

}  // namespace tarsel::XMLParser
