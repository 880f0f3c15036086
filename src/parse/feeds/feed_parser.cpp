#include "parse/feeds/feed_parser.h"

#include "parse/xml/xml_document.h"

namespace tarsel {

bool IsFeedDocument(const char* bytes, size_t length) {
  std::string_view body(bytes, length);
  auto holds = [&body](std::string_view needle) {
    return body.find(needle) != std::string_view::npos;
  };
  return holds("<rss") || holds("<?xml") || (holds("<rdf:RDF") && holds("<channel"));
}

bool ParseFeed(const char* bytes, size_t length, ChannelInfo& channel) {
  XMLParser::Document document;
  const XMLParser::Node* root = nullptr;
  try {
    root = &document.ParseBuffer(bytes, length);
  } catch (const XMLParser::Exception&) {
    return false;
  }
  channel.encoding = document.Encoding();
  if (root->name == "feed") return ParseAtom(*root, channel);
  return ParseRss(*root, channel);
}

}  // namespace tarsel
