// RSS 0.9x, RSS 2.0 and RDF (RSS 1.0) documents.
#include <string>

#include "html/entities.h"
#include "parse/dates/date_readers.h"
#include "parse/feeds/feed_parser.h"
#include "parse/feeds/record_fields.h"

namespace tarsel {

namespace {

using XMLParser::Node;

// Aggregators insert this advertising item into the feeds they pass on.
constexpr char kAdvertItemTitle[] = "Customize this feed";

void ReadChannelFields(const Node& channel_element, ChannelInfo& channel) {
  channel.title = channel_element.FindChildAt("title", 0).text;
  channel.link = channel_element.FindChildAt("link", 0).text;
  channel.description = channel_element.FindChildAt("description", 0).text;

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

int32_t ReadPublished(const Node& item, int32_t fallback) {
  const Node& pub_date = item.FindChildAt("pubdate", 0);
  if (!pub_date.IsNull()) return ReadRfc822Date(pub_date.text);
  const Node& dc_date = item.FindChildAt("dc:date", 0);
  if (!dc_date.IsNull()) return ReadIsoDate(dc_date.text);
  return fallback;
}

// Text that was not in a CDATA section still carries its character entities.
std::string DecodedUnlessCdata(std::string text, const Node& element, int code_page) {
  if (!element.cdata) HTML::DecodeEntitiesInPlace(text, code_page);
  return text;
}

std::string ReadDescription(const Node& item, const std::string& title, int code_page) {
  const Node& encoded = item.FindChildAt("content:encoded", 0);
  if (!encoded.IsNull()) return DecodedUnlessCdata(encoded.text, encoded, code_page);
  const Node& body = item.FindChildAt("body", 0);
  if (!body.IsNull()) return body.InnerXml();
  const Node& description = item.FindChildAt("description", 0);
  if (!description.IsNull()) {
    return DecodedUnlessCdata(description.InnerXml(), description, code_page);
  }
  return title;
}

void ReadItem(const Node& item, const feeds::ReadSettings& read, ChannelInfo& channel) {
  const Node& title = item.FindChildAt("title", 0);
  const Node& link = item.FindChildAt("link", 0);
  if (title.IsNull() && link.IsNull()) return;
  if (title.text == kAdvertItemTitle) return;

  auto record = std::make_shared<Record>();
  record->title = title.text;
  record->link = link.text;
  record->published = ReadPublished(item, record->published);
  feeds::TakeTextIfPresent(item.FindChildAt("comments", 0), record->comments);
  feeds::TakeTextIfPresent(item.FindChildAt("dc:creator", 0), record->author);
  feeds::TakeTextIfPresent(item.FindChildAt("dc:subject", 0), record->subject);
  feeds::TakeTextIfPresent(item.FindChildAt("guid", 0), record->guid);
  feeds::RemoveTitleMarkup(record->title, read.code_page);
  record->description = ReadDescription(item, record->title, read.code_page);
  if (!record->description.empty()) {
    feeds::SummarizeDescription(*record, channel.records.size(), read);
  }
  feeds::FinishTitle(*record);
  channel.records.push_back(std::move(record));
}

}  // namespace

bool ParseRss(const Node& root, ChannelInfo& channel) {
  return ParseRss(root, channel, feeds::CurrentReadSettings());
}

bool ParseRss(const Node& root, ChannelInfo& channel, const feeds::ReadSettings& read) {
  const Node& channel_element = root.FindChildAt("channel", 0);
  if (channel_element.IsNull()) return false;
  ReadChannelFields(channel_element, channel);

  // RDF puts the items beside the channel instead of inside it.
  XMLParser::NodeRefs items;
  channel_element.FindChildren("item", items);
  if (items.empty()) root.FindChildren("item", items);

  for (const Node* item : items) ReadItem(*item, read, channel);
  return true;
}

}  // namespace tarsel
