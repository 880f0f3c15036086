#include "parse/feeds/atom_links.h"

#include "parse/feeds/atom_text.h"
#include "parse/feeds/feed_fields.h"

namespace tarsel::feeds {

std::string AttributeText(const XMLParser::Node& element, std::string_view name) {
  const std::string& value = element.GetAttribute(name);
  if (value.find('&') == std::string::npos) return value;
  return UnescapeXml(value);
}

void ReadEnclosureLinks(const XMLParser::NodeRefs& links, std::vector<Enclosure>& enclosures) {
  for (const XMLParser::Node* link : links) {
    if (enclosures.size() >= kMaxEnclosures) return;
    if (link->GetAttribute("rel") != "enclosure") continue;
    Enclosure enclosure;
    enclosure.url = AttributeText(*link, "href");
    if (enclosure.url.empty()) continue;
    enclosure.type = AttributeText(*link, "type");
    enclosure.length = ReadByteCount(link->GetAttribute("length"));
    enclosure.title = AttributeText(*link, "title");
    enclosures.push_back(std::move(enclosure));
  }
}

}  // namespace tarsel::feeds
