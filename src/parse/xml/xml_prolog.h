#pragma once

// What comes before the root element: XML declarations, processing instructions beginning with
// "<?xml" and document type declarations, in any order and number. Internal to the XML reader.

#include <string>

#include "parse/xml/xml_cursor.h"

namespace tarsel::XMLParser {

// Skips every byte up to the first '<', then reads the prolog. `version` and `encoding` are set
// as soon as a declaration gives them. Throws Exception on a malformed declaration or at the end
// of input.
void ReadProlog(Cursor& cursor, std::string& version, std::string& encoding);

}  // namespace tarsel::XMLParser
