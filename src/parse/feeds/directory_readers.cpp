#include "parse/feeds/directory_readers.h"

#include <string_view>

namespace tarsel {

namespace {

using XMLParser::Node;

constexpr char kDescription[] = "rdf:description";
// The format identifier of RSS 0.91 is the address of its document type definition; directories
// name it on different hosts, so only the path is compared.
constexpr std::string_view kRss091FormatPath = "/publish/formats/rss-0.91.dtd";

bool IsRss091Format(const Node& format) {
  std::string_view text = format.FindChildAt("ocs:format", 0).text;
  return text.ends_with(kRss091FormatPath);
}

std::string Rss091Address(const Node& channel) {
  const XMLParser::NodeList* formats = channel.Children();
  if (formats == nullptr) return std::string();
  for (const auto& format : *formats) {
    if (format->name == kDescription && IsRss091Format(*format)) {
      return format->GetAttribute("about");
    }
  }
  return std::string();
}

}  // namespace

void ParseOcsDirectory(const Node& root, FoundFeedList& list) {
  if (root.Children() == nullptr) return;
  const Node& directory = root.FindChildNoCase(kDescription);
  const XMLParser::NodeList* channels = directory.Children();
  if (channels == nullptr) return;
  for (const auto& channel : *channels) {
    if (channel->name != kDescription) continue;
    const std::string& site = channel->GetAttribute("about");
    if (site.empty()) continue;
    std::string feed = Rss091Address(*channel);
    if (feed.empty()) continue;
    list.push_back({site, std::move(feed), channel->FindChildAt("dc:description", 0).text,
                    channel->FindChildAt("dc:title", 0).text});
  }
}

bool ParseDirectoryItems(const Node& root, FoundFeedList& list) {
  if (root.Children() == nullptr) return false;
  XMLParser::NodeRefs items;
  root.FindChildren("item", items);
  for (const Node* item : items) {
    const Node& url = item->FindChildAt("url", 0);
    const Node& title = item->FindChildAt("title", 0);
    const Node& link = item->FindChildAt("link", 0);
    if (url.IsNull() || title.IsNull() || link.IsNull()) continue;
    if (title.text == "Moreover" || title.text == "NewsIsFree") continue;
    list.push_back({url.text, link.text, std::string(), title.text});
  }
  return true;
}

}  // namespace tarsel
