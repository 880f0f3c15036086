// JSON Feed 1.0 and 1.1 documents, read into the same channel and records as the XML feeds.
#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "html/attributes.h"
#include "html/cleaning.h"
#include "parse/dates/date_readers.h"
#include "parse/feeds/author_name.h"
#include "parse/feeds/enclosure_block.h"
#include "parse/feeds/feed_fields.h"
#include "parse/feeds/feed_parser.h"
#include "parse/feeds/json_values.h"
#include "parse/feeds/record_fields.h"
#include "parse/feeds/xml_base.h"
#include "platform/url_combine.h"

namespace tarsel {

namespace {

using feeds::Json;
using feeds::JsonTexts;
using feeds::Member;

// What every item of one document shares.
struct FeedScope {
  const JsonTexts& texts;
  const feeds::ReadSettings& read;
  std::string base;         // the feed's own address when it gives a usable one, else empty
  std::string feed_author;  // the feed's author names, for items that name none
};

// JSON Feed texts are plain. The clean-up decodes references in names, titles and channel texts,
// and reads an '&' that came from "&amp;" again ("&amp;lt;" gives "<"), so a plain '&' is written
// as "&#38;", which decodes once.
std::string EscapedOnce(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    if (c == '&') {
      escaped += "&#38;";
    } else if (c == '<') {
      escaped += "&lt;";
    } else if (c == '>') {
      escaped += "&gt;";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

// Titles and channel texts are read as HTML after that decoding, which reads "&amp;" again too,
// so they are escaped the same way once more.
std::string EscapedTwice(std::string_view text) {
  return EscapedOnce(EscapedOnce(text));
}

// Plain text as HTML that shows it as written, its line breaks kept.
std::string PlainTextAsHtml(std::string_view text) {
  std::string escaped = EscapedOnce(text);
  std::string html;
  html.reserve(escaped.size() + 16);
  for (size_t i = 0; i < escaped.size(); ++i) {
    const char c = escaped[i];
    if (c != '\r' && c != '\n') {
      html += c;
      continue;
    }
    if (c == '\r' && i + 1 < escaped.size() && escaped[i + 1] == '\n') ++i;
    html += "<br>";
  }
  return html;
}

// feed_url counts only as an absolute address that can be a base; a relative or script one
// leaves the base to the address the body came from.
std::string FeedBase(std::string feed_url) {
  if (!feeds::HasScheme(feed_url) || HTML::IsUnsafeUrl(feed_url, false)) return std::string();
  return UrlCombiner(feed_url).valid() ? feed_url : std::string();
}

// 1.1 lists its authors; 1.0 named one. Names only: the reader shows no author's address, not
// even one written into the name ("Name <mail>").
std::string AuthorNames(const Json& holder, const JsonTexts& texts) {
  feeds::CategoryList names;
  const Json& authors = Member(holder, "authors");
  if (authors.IsArray()) {
    for (const Json& author : authors.GetArray()) {
      if (names.full()) break;
      names.Add(feeds::AuthorName(texts.Text(author, "name")));
    }
  }
  if (names.empty()) names.Add(feeds::AuthorName(texts.Text(Member(holder, "author"), "name")));
  return EscapedOnce(names.joined());
}

void ReadChannel(const Json& feed, const FeedScope& scope, ChannelInfo& channel) {
  const JsonTexts& texts = scope.texts;
  channel.title = EscapedTwice(texts.Text(feed, "title"));
  channel.description = EscapedTwice(texts.Text(feed, "description"));
  channel.link = feeds::ResolvedAgainst(scope.base, texts.Text(feed, "home_page_url"));
  std::string image = texts.Text(feed, "icon");
  if (image.empty()) image = texts.Text(feed, "favicon");
  channel.image_url = feeds::ResolvedAgainst(scope.base, std::move(image));
  channel.encoding = "utf-8";
}

std::string ReadTags(const Json& item, const JsonTexts& texts) {
  feeds::CategoryList tags;
  const Json& list = Member(item, "tags");
  if (!list.IsArray()) return std::string();
  for (const Json& tag : list.GetArray()) {
    if (tags.full()) break;
    tags.Add(texts.TextOf(tag));
  }
  return EscapedOnce(tags.joined());
}

// Attachments without an address are no enclosures; unsafe addresses go in the clean-up.
std::vector<Enclosure> ReadAttachments(const Json& item, const JsonTexts& texts) {
  std::vector<Enclosure> enclosures;
  const Json& list = Member(item, "attachments");
  if (!list.IsArray()) return enclosures;
  for (const Json& attachment : list.GetArray()) {
    if (enclosures.size() >= feeds::kMaxEnclosures) break;
    Enclosure enclosure;
    enclosure.url = texts.Text(attachment, "url");
    if (enclosure.url.empty()) continue;
    enclosure.type = texts.Text(attachment, "mime_type");
    enclosure.length = feeds::WholeNumber(attachment, "size_in_bytes");
    enclosure.title = texts.Text(attachment, "title");
    enclosures.push_back(std::move(enclosure));
  }
  return enclosures;
}

int32_t ReadPublished(const Json& item, const JsonTexts& texts, int32_t fallback) {
  for (std::string_view key : {"date_published", "date_modified"}) {
    if (std::optional<int32_t> date = TryReadIsoDate(texts.Text(item, key))) return *date;
  }
  return fallback;
}

// content_html is HTML already (the clean-up cleans it as every description); content_text is
// shown as written; then the summary, then the title, as the other formats fall back.
void ReadTexts(const Json& item, const FeedScope& scope, Record& record, size_t position) {
  const JsonTexts& texts = scope.texts;
  const std::string summary = texts.Text(item, "summary");
  record.description = texts.Text(item, "content_html");
  if (record.description.empty())
    record.description = PlainTextAsHtml(texts.Text(item, "content_text"));
  if (record.description.empty()) record.description = PlainTextAsHtml(summary);
  if (record.description.empty()) record.description = EscapedOnce(texts.Text(item, "title"));
  const feeds::ReadSettings& read = scope.read;
  if (!summary.empty()) {
    record.summary =
        HTML::MakeSummary(PlainTextAsHtml(summary), read.summary_lines, read.code_page);
  } else if (!record.description.empty()) {
    feeds::SummarizeDescription(record, position, read);
  }
}

void ReadItem(const Json& item, const FeedScope& scope, ChannelInfo& channel) {
  if (!item.IsObject()) return;
  const JsonTexts& texts = scope.texts;
  auto record = std::make_shared<Record>();
  record->guid = texts.IdentifierText(item, "id");
  record->link = texts.Text(item, "url");
  if (record->link.empty()) record->link = texts.Text(item, "external_url");
  record->title = EscapedTwice(texts.Text(item, "title"));
  record->base_url = scope.base;
  record->published = ReadPublished(item, texts, record->published);
  record->author = AuthorNames(item, texts);
  if (record->author.empty()) record->author = scope.feed_author;
  record->subject = ReadTags(item, texts);
  record->enclosures = ReadAttachments(item, texts);
  ReadTexts(item, scope, *record, channel.records.size());
  // As with the other formats, an item with nothing to show is no record.
  if (record->title.empty() && record->link.empty() && record->description.empty()) return;
  feeds::FinishTitle(*record);
  channel.records.push_back(std::move(record));
}

}  // namespace

bool ParseJsonFeed(std::string_view body, ChannelInfo& channel, const feeds::ReadSettings& read) {
  const std::unique_ptr<feeds::JsonDocument> document =
      feeds::ReadJsonFeedBody(body, read.code_page);
  if (!document) return false;
  const Json& feed = document->root;
  const JsonTexts texts(read.code_page);
  const FeedScope scope{texts, read, FeedBase(texts.Text(feed, "feed_url")),
                        AuthorNames(feed, texts)};
  ReadChannel(feed, scope, channel);
  const Json& items = Member(feed, "items");
  if (!items.IsArray()) return true;
  const rapidjson::SizeType count =
      std::min<rapidjson::SizeType>(items.Size(), feeds::kMaxJsonItems);
  for (rapidjson::SizeType i = 0; i < count; ++i) ReadItem(items[i], scope, channel);
  return true;
}

}  // namespace tarsel
