#pragma once

// The link elements of Atom documents, both versions.

#include <string>
#include <string_view>
#include <vector>

#include "parse/xml/xml_node.h"
#include "store/record.h"

namespace tarsel::feeds {

// An attribute with the document's escaping undone ("a?b=1&amp;c=2" gives "a?b=1&c=2").
std::string AttributeText(const XMLParser::Node& element, std::string_view name);

// Links with rel="enclosure" become enclosures (href, type, length), in document order; links
// without href are skipped, and only the first kMaxEnclosures count.
constexpr size_t kMaxEnclosures = 100;
void ReadEnclosureLinks(const XMLParser::NodeRefs& links, std::vector<Enclosure>& enclosures);

}  // namespace tarsel::feeds
