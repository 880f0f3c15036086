// RSS 0.9x, RSS 2.0 and RDF (RSS 1.0) documents.
#include <optional>
#include <string>
#include <string_view>

#include "html/entities.h"
#include "parse/feeds/feed_parser.h"
#include "parse/feeds/media_rss.h"
#include "parse/feeds/record_fields.h"
#include "parse/feeds/rss_item_fields.h"
#include "parse/feeds/xml_base.h"

namespace tarsel {

namespace {

using XMLParser::Node;

// Aggregators insert this advertising item into the feeds they pass on.
constexpr char kAdvertItemTitle[] = "Customize this feed";

// A channel title or description written with unescaped markup has no own text: its markup is
// the text, which the clean-up reads as HTML.
std::string TextOrMarkup(const Node& element) {
  return element.IsLeaf() ? element.text : element.InnerXml();
}

void ReadChannelFields(const Node& channel_element, ChannelInfo& channel) {
  channel.title = TextOrMarkup(channel_element.FindChildAt("title", 0));
  channel.link = channel_element.FindChildAt("link", 0).text;
  channel.description = TextOrMarkup(channel_element.FindChildAt("description", 0));

  const Node& image = channel_element.FindChildAt("image", 0);
  if (image.IsNull()) return;
  // In RDF the channel's image only points at the image element.
  const std::string& resource = image.GetAttribute("rdf:resource");
  if (!resource.empty()) {
    channel.image_url = resource;
    return;
  }
  feeds::TakeTextIfPresent(image.FindChildAt("url", 0), channel.image_url);
  feeds::TakeTextIfPresent(image.FindChildAt("title", 0), channel.image_title);
}

// Text that was not in a CDATA section still carries its character entities.
std::string DecodedUnlessCdata(std::string text, const Node& element, int code_page) {
  if (!element.cdata) HTML::DecodeEntitiesInPlace(text, code_page);
  return text;
}

// The first of the item's description elements, by precedence; nothing when it has none.
std::optional<std::string> ReadItemText(const Node& item, int code_page) {
  const Node& encoded = item.FindChildAt("content:encoded", 0);
  if (!encoded.IsNull()) return DecodedUnlessCdata(encoded.text, encoded, code_page);
  const Node& body = item.FindChildAt("body", 0);
  if (!body.IsNull()) return body.InnerXml();
  for (std::string_view name : {"description", "dc:description", "itunes:summary"}) {
    const Node& description = item.FindChildAt(name, 0);
    if (!description.IsNull()) {
      return DecodedUnlessCdata(description.InnerXml(), description, code_page);
    }
  }
  return std::nullopt;
}

std::string ReadDescription(const Node& item, const std::string& title, int code_page) {
  std::optional<std::string> text = ReadItemText(item, code_page);
  if (text && !text->empty()) return std::move(*text);
  // Video feeds carry their text and picture only as media.
  std::string media = feeds::MediaDescription(item, code_page);
  if (!media.empty()) return media;
  return text ? std::move(*text) : title;
}

// What every item of one channel shares.
struct ChannelScope {
  std::string base;    // the channel's xml:base, empty when none
  DateLanguage dates;  // the names its dates may use
  const feeds::ReadSettings& read;
};

void ReadItem(const Node& item, const ChannelScope& scope, ChannelInfo& channel) {
  const feeds::ReadSettings& read = scope.read;
  const Node& title = item.FindChildAt("title", 0);
  const Node& link = item.FindChildAt("link", 0);
  if (title.IsNull() && link.IsNull()) return;
  if (title.text == kAdvertItemTitle) return;

  auto record = std::make_shared<Record>();
  record->title = title.text;
  record->base_url = feeds::NestedBase(scope.base, item);
  record->link = feeds::ReadRssLink(item, !record->base_url.empty());
  record->published = feeds::ReadRssPublished(item, record->published, scope.dates);
  feeds::TakeTextIfPresent(item.FindChildAt("comments", 0), record->comments);
  feeds::ReadRssAuthor(item, record->author);
  feeds::ReadRssSubject(item, record->subject);
  feeds::TakeTextIfPresent(item.FindChildAt("guid", 0), record->guid);
  record->enclosures = feeds::ReadRssEnclosures(item, read.code_page);
  feeds::RemoveTitleMarkup(record->title, read.code_page);
  record->description = ReadDescription(item, record->title, read.code_page);
  if (!record->description.empty()) {
    feeds::SummarizeDescription(*record, channel.records.size(), read);
  }
  feeds::FinishTitle(*record);
  channel.records.push_back(std::move(record));
}

}  // namespace

bool ParseRss(const Node& root, ChannelInfo& channel, const feeds::ReadSettings& read) {
  const Node& channel_element = root.FindChildAt("channel", 0);
  if (channel_element.IsNull()) return false;
  ReadChannelFields(channel_element, channel);

  // RDF puts the items beside the channel instead of inside it.
  XMLParser::NodeRefs items;
  channel_element.FindChildren("item", items);
  if (items.empty()) root.FindChildren("item", items);

  const ChannelScope scope{
      feeds::NestedBase(feeds::NestedBase({}, root), channel_element),
      DateLanguageFor(feeds::RssChannelLanguage(channel_element), read.code_page), read};
  channel.image_url = feeds::ResolvedAgainst(scope.base, std::move(channel.image_url));
  for (const Node* item : items) ReadItem(*item, scope, channel);
  return true;
}

}  // namespace tarsel
