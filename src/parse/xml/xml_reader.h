#pragma once

// Reads one document into a tree. Internal to the XML reader; callers use Document.

#include <cstddef>
#include <memory>
#include <string>

#include "parse/xml/xml_element.h"
#include "parse/xml/xml_node_arena.h"

namespace tarsel::XMLParser {

// Reads `length` bytes (not kept) and returns the root element, its nodes made in `arena`.
// `version` and `encoding` are set as soon as an XML declaration gives them. Throws Exception on
// malformed input; the partly built tree is then freed.
std::unique_ptr<Element> ReadDocument(const char* bytes, std::size_t length, NodeArena& arena,
                                      std::string& version, std::string& encoding);

}  // namespace tarsel::XMLParser
