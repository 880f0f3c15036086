#pragma once

// Media RSS (media:group, media:content, media:description, media:thumbnail): video and
// picture feeds carry an entry's text, picture and files there and nowhere else. Works on an RSS
// item or an Atom entry. Bytes as the document carried them; any thread.

#include <string>
#include <vector>

#include "parse/xml/xml_node.h"
#include "store/record.h"

namespace tarsel::feeds {

// HTML made of the entry's media thumbnail (as a picture) and media description (plain text
// escaped, line breaks kept, unless its type is "html"); empty when it has neither.
std::string MediaDescription(const XMLParser::Node& entry, int code_page);

// Appends the entry's media:content files (direct, or inside media:group) to `enclosures`.
void AppendMediaEnclosures(const XMLParser::Node& entry, int code_page,
                           std::vector<Enclosure>& enclosures);

// Appends one file unless its URL is empty, already listed, or the list is full. The URL and
// type are attribute values: their entities are decoded here.
void AppendEnclosure(const std::string& url, const std::string& type, const std::string& length,
                     int code_page, std::vector<Enclosure>& enclosures);

}  // namespace tarsel::feeds
