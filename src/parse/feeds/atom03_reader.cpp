// Atom 0.3 documents.
#include <optional>
#include <string>

#include "html/cleaning.h"
#include "html/entities.h"
#include "html/text.h"
#include "parse/feeds/atom_links.h"
#include "parse/feeds/author_name.h"
#include "parse/feeds/base64_text.h"
#include "parse/feeds/feed_fields.h"
#include "parse/feeds/feed_parser.h"
#include "parse/feeds/record_fields.h"
#include "parse/feeds/xml_base.h"

namespace tarsel {

namespace {

using XMLParser::Node;

bool IsAlternate(const Node& link) {
  return link.GetAttribute("rel") == "alternate";
}

// The channel link: a single link, else the first alternate one that gives an address; nothing
// when neither exists.
void ReadChannelLink(const Node& root, ChannelInfo& channel) {
  XMLParser::NodeRefs links;
  root.FindChildren("link", links);
  if (links.size() == 1) {
    channel.link = feeds::LinkOf(*links.front());
    return;
  }
  for (const Node* link : links) {
    if (IsAlternate(*link) && !feeds::LinkOf(*link).empty()) {
      channel.link = feeds::LinkOf(*link);
      return;
    }
  }
}

// An entry's link: a single link, else the href of the first alternate one that has one.
std::string ReadEntryLink(const XMLParser::NodeRefs& links) {
  if (links.size() == 1) return feeds::LinkOf(*links.front());
  for (const Node* link : links) {
    if (IsAlternate(*link) && !link->GetAttribute("href").empty()) {
      return link->GetAttribute("href");
    }
  }
  return std::string();
}

void ReadTagline(const Node& root, int code_page, ChannelInfo& channel) {
  const Node& tagline = root.FindChildAt("tagline", 0);
  if (tagline.IsNull()) return;
  const std::string& type = tagline.GetAttribute("type");
  if (!type.empty() && type != "text/plain") {
    channel.description = HTML::StripTags(tagline.text, code_page);
  } else {
    channel.description = tagline.text;
  }
}

// Content and summaries by their mode: "xml" (the default) is the markup as written, "escaped"
// is entity-decoded, "base64" decoded (kept as written when it is not base64).
std::string ContentMarkup(const Node& content, int code_page) {
  std::string markup = content.InnerXml();
  const std::string& mode = content.GetAttribute("mode");
  if (mode == "escaped") {
    HTML::DecodeEntitiesInPlace(markup, code_page);
  } else if (mode == "base64") {
    if (std::optional<std::string> bytes = feeds::DecodeBase64(markup)) markup = std::move(*bytes);
  }
  return markup;
}

// "modified" first; "issued", then "created", when it is missing or unreadable. Their names are
// read in the language of the entry (xml:lang, inherited from the feed).
void ReadPublished(const Node& entry, std::string_view language, int code_page, Record& record) {
  const DateLanguage dates = DateLanguageFor(language, code_page);
  for (const char* name : {"modified", "issued", "created"}) {
    const Node& date = entry.FindChildAt(name, 0);
    if (date.IsNull()) continue;
    if (std::optional<int32_t> read = feeds::TryReadAnyDate(date.text, dates)) {
      record.published = *read;
      return;
    }
  }
}

std::string ReadDescription(const Node& entry, const std::string& title, int code_page) {
  const Node& content = entry.FindChildAt("content", 0);
  if (!content.IsNull()) {
    if (content.GetAttribute("type") != "multipart/alternative") {
      return ContentMarkup(content, code_page);
    }
    const Node& inner = content.FindChildAt("content", 0);
    return inner.IsNull() ? std::string() : ContentMarkup(inner, code_page);
  }
  const Node& summary = entry.FindChildAt("summary", 0);
  if (!summary.IsNull()) return ContentMarkup(summary, code_page);
  return title;
}

void ReadSummary(const Node& entry, Record& record, size_t position,
                 const feeds::ReadSettings& read) {
  const Node& summary = entry.FindChildAt("summary", 0);
  if (!summary.IsNull()) {
    record.summary = HTML::MakeSummary(ContentMarkup(summary, read.code_page), read.summary_lines,
                                       read.code_page);
  } else if (record.description.empty()) {
    record.summary = HTML::MakeSummary(record.title, read.summary_lines, read.code_page);
  } else {
    feeds::SummarizeDescription(record, position, read);
  }
}

// What every entry of one document shares.
struct FeedScope {
  const feeds::ReadSettings& read;
  std::string base;           // the feed's xml:base, empty when none
  std::string_view language;  // the feed's xml:lang, empty when none
};

void ReadEntry(const Node& entry, const FeedScope& scope, ChannelInfo& channel) {
  const feeds::ReadSettings& read = scope.read;
  const Node& title = entry.FindChildAt("title", 0);
  if (title.IsNull()) return;

  auto record = std::make_shared<Record>();
  // A title with child markup keeps it, to be made text below.
  record->title = title.IsLeaf() ? title.text : title.InnerXml();
  if (title.GetAttribute("mode") == "escaped") {
    HTML::DecodeEntitiesInPlace(record->title, read.code_page);
  }
  XMLParser::NodeRefs links;
  entry.FindChildren("link", links);
  record->link = ReadEntryLink(links);
  feeds::ReadEnclosureLinks(links, record->enclosures);
  record->base_url = feeds::NestedBase(scope.base, entry);
  ReadPublished(entry, feeds::DeclaredXmlLanguage(entry, scope.language), read.code_page, *record);
  feeds::RemoveTitleMarkup(record->title, read.code_page);
  const Node& author = entry.FindChildAt("author", 0);
  feeds::TakeTextIfPresent(author.FindChildAt("name", 0), record->author);
  record->author = feeds::AuthorName(record->author);
  feeds::TakeTextIfPresent(entry.FindChildAt("dc:subject", 0), record->subject);
  feeds::TakeTextIfPresent(entry.FindChildAt("id", 0), record->guid);
  record->description = ReadDescription(entry, record->title, read.code_page);
  ReadSummary(entry, *record, channel.records.size(), read);
  feeds::FinishTitle(*record);
  channel.records.push_back(std::move(record));
}

}  // namespace

bool ParseAtom(const Node& root, ChannelInfo& channel, const feeds::ReadSettings& read) {
  if (root.IsNull()) return false;
  channel.title = root.FindChildAt("title", 0).text;
  ReadChannelLink(root, channel);
  ReadTagline(root, read.code_page, channel);

  XMLParser::NodeRefs entries;
  root.FindChildren("entry", entries);
  const FeedScope scope{read, feeds::NestedBase(std::string(), root),
                        feeds::DeclaredXmlLanguage(root, {})};
  for (const Node* entry : entries) ReadEntry(*entry, scope, channel);
  return true;
}

}  // namespace tarsel
