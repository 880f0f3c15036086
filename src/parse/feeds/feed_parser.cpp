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
  return ParseFeed(std::string_view(bytes, length), channel, feeds::CurrentReadSettings());
}

bool ParseFeed(std::string_view body, ChannelInfo& channel, const feeds::ReadSettings& read) {
  XMLParser::Document document;
  const XMLParser::Node* root = nullptr;
  try {
    root = &document.ParseBuffer(body.data(), body.size());
  } catch (const XMLParser::Exception&) {
    return false;
  }
  channel.encoding = document.Encoding();
  if (root->name == "feed") return ParseAtom(*root, channel, read);
  return ParseRss(*root, channel, read);
}

}  // namespace tarsel
