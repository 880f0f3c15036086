#include "parse/feeds/feed_parser.h"

#include "parse/feeds/json_values.h"
#include "parse/xml/xml_document.h"

namespace tarsel {

namespace {

constexpr std::string_view kAtom03Namespace = "http://purl.org/atom/ns#";
constexpr std::string_view kAtom10Namespace = "http://www.w3.org/2005/Atom";

// Atom 0.3 documents name their namespace; drafts before it only their version.
bool IsAtom03(const XMLParser::Node& feed) {
  const std::string& space = feed.GetAttribute("xmlns");
  if (!space.empty()) return space == kAtom03Namespace;
  return feed.GetAttribute("version").compare(0, 2, "0.") == 0;
}

// "atom:feed" with xmlns:atom naming Atom 1.0.
bool IsPrefixedAtom10(const XMLParser::Node& root) {
  const std::string_view name = root.name;
  constexpr std::string_view kFeed = ":feed";
  if (name.size() <= kFeed.size() || name.substr(name.size() - kFeed.size()) != kFeed) {
    return false;
  }
  const std::string prefix(name.substr(0, name.size() - kFeed.size()));
  return root.GetAttribute("xmlns:" + prefix) == kAtom10Namespace;
}

}  // namespace

bool IsFeedDocument(const char* bytes, size_t length) {
  std::string_view body(bytes, length);
  auto holds = [&body](std::string_view needle) {
    return body.find(needle) != std::string_view::npos;
  };
  return holds("<rss") || holds("<?xml") || (holds("<rdf:RDF") && holds("<channel")) ||
         feeds::LooksLikeJsonFeed(body);
}

bool ParseFeed(std::string_view body, ChannelInfo& channel, const feeds::ReadSettings& read) {
  if (feeds::LooksLikeJsonFeed(body)) return ParseJsonFeed(body, channel, read);
  XMLParser::Document document;
  const XMLParser::Node* root = nullptr;
  try {
    root = &document.ParseBuffer(body.data(), body.size());
  } catch (const XMLParser::Exception&) {
    return false;
  }
  channel.encoding = document.Encoding();
  if (root->name == "feed") {
    return IsAtom03(*root) ? ParseAtom(*root, channel, read) : ParseAtom10(*root, channel, read);
  }
  if (IsPrefixedAtom10(*root)) return ParseAtom10(*root, channel, read);
  return ParseRss(*root, channel, read);
}

}  // namespace tarsel
