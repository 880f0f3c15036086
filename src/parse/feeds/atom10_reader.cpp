// Atom 1.0 documents (RFC 4287), in the default namespace or under a prefix ("atom:feed").
#include <optional>
#include <string>
#include <string_view>

#include "html/cleaning.h"
#include "parse/feeds/atom_links.h"
#include "parse/feeds/atom_text.h"
#include "parse/feeds/author_name.h"
#include "parse/feeds/feed_fields.h"
#include "parse/feeds/feed_parser.h"
#include "parse/feeds/media_rss.h"
#include "parse/feeds/record_fields.h"
#include "parse/feeds/xml_base.h"

namespace tarsel {

namespace {

using XMLParser::Node;
using XMLParser::NodeRefs;

// The element names the reader looks up, with the document's prefix for the Atom namespace.
struct AtomNames {
  explicit AtomNames(std::string_view document_prefix) : prefix(document_prefix) {}
  std::string Of(std::string_view local) const { return prefix + std::string(local); }

  std::string prefix;
  std::string title = Of("title"), subtitle = Of("subtitle"), link = Of("link"),
              entry = Of("entry"), author = Of("author"), name = Of("name"), source = Of("source"),
              category = Of("category"), content = Of("content"), summary = Of("summary"),
              published = Of("published"), updated = Of("updated"), id = Of("id"),
              logo = Of("logo"), icon = Of("icon");
};

// What every entry of one document shares.
struct FeedScope {
  const AtomNames& names;
  const feeds::ReadSettings& read;
  std::string base;           // the feed's xml:base, empty when none
  std::string feed_author;    // the feed's author name, for entries that name none
  std::string_view language;  // the feed's xml:lang, which entries inherit
};

// A link without rel is an alternate one.
bool IsAlternate(const Node& link) {
  const std::string& rel = link.GetAttribute("rel");
  return rel.empty() || rel == "alternate";
}

// A link without href points nowhere and gives way to the next one.
std::string FirstAlternateHref(const NodeRefs& links) {
  for (const Node* link : links) {
    if (!IsAlternate(*link)) continue;
    std::string href = feeds::AttributeText(*link, "href");
    if (!href.empty()) return href;
  }
  return std::string();
}

const Node& AuthorNameOf(const Node& parent, const AtomNames& names) {
  return parent.FindChildAt(names.author, 0).FindChildAt(names.name, 0);
}

void ReadChannel(const Node& root, const FeedScope& scope, ChannelInfo& channel) {
  const AtomNames& names = scope.names;
  const int code_page = scope.read.code_page;
  channel.title = feeds::TextConstructEscapedText(root.FindChildAt(names.title, 0), code_page);
  NodeRefs links;
  root.FindChildren(names.link, links);
  std::string link = FirstAlternateHref(links);
  if (!link.empty()) channel.link = feeds::ResolvedAgainst(scope.base, std::move(link));
  const Node& subtitle = root.FindChildAt(names.subtitle, 0);
  if (!subtitle.IsNull()) {
    channel.description = feeds::TextConstructEscapedText(subtitle, code_page);
  }
  const Node& logo = root.FindChildAt(names.logo, 0);
  const Node& image = logo.IsNull() ? root.FindChildAt(names.icon, 0) : logo;
  if (!image.IsNull()) channel.image_url = feeds::ResolvedAgainst(scope.base, image.text);
}

int32_t ReadPublished(const Node& entry, const FeedScope& scope, int32_t fallback) {
  const AtomNames& names = scope.names;
  const std::string_view entry_language = feeds::DeclaredXmlLanguage(entry, scope.language);
  for (const std::string* name : {&names.published, &names.updated}) {
    const Node& date = entry.FindChildAt(*name, 0);
    if (date.IsNull()) continue;
    const DateLanguage language =
        DateLanguageFor(feeds::DeclaredXmlLanguage(date, entry_language), scope.read.code_page);
    if (std::optional<int32_t> read = feeds::TryReadAnyDate(date.text, language)) return *read;
  }
  return fallback;
}

std::string ReadAuthor(const Node& entry, const FeedScope& scope) {
  const AtomNames& names = scope.names;
  const Node& own = AuthorNameOf(entry, names);
  if (!own.IsNull()) return feeds::AuthorName(own.text);
  const Node& source = AuthorNameOf(entry.FindChildAt(names.source, 0), names);
  if (!source.IsNull()) return feeds::AuthorName(source.text);
  return scope.feed_author;
}

std::string ReadCategories(const Node& entry, const AtomNames& names) {
  feeds::CategoryList categories;
  const XMLParser::NodeList* children = entry.Children();
  if (children == nullptr) return std::string();
  for (const auto& child : *children) {
    if (categories.full()) break;
    if (child->name != names.category) continue;
    const std::string& label = child->GetAttribute("label");
    categories.Add(label.empty() ? child->GetAttribute("term") : label);
  }
  if (categories.empty()) feeds::AddExtensionCategories(entry, categories);
  return categories.joined();
}

// Content that points elsewhere (src) or holds data gives no text.
bool HasTextContent(const Node& content) {
  return !content.IsNull() && content.GetAttribute("src").empty() &&
         feeds::KindOfText(content) != feeds::TextKind::kData;
}

void ReadTexts(const Node& entry, const FeedScope& scope, Record& record, size_t position) {
  const Node& content = entry.FindChildAt(scope.names.content, 0);
  const Node& summary = entry.FindChildAt(scope.names.summary, 0);
  if (HasTextContent(content)) {
    record.description = feeds::TextConstructHtml(content);
  } else if (!summary.IsNull()) {
    record.description = feeds::TextConstructHtml(summary);
  } else {
    // Video feeds carry their text and picture only in media:group.
    record.description = feeds::MediaDescription(entry, scope.read.code_page);
    if (record.description.empty()) record.description = record.title;
  }
  const feeds::ReadSettings& read = scope.read;
  if (!summary.IsNull()) {
    record.summary =
        HTML::MakeSummary(feeds::TextConstructHtml(summary), read.summary_lines, read.code_page);
  } else if (record.description.empty()) {
    record.summary = HTML::MakeSummary(record.title, read.summary_lines, read.code_page);
  } else {
    feeds::SummarizeDescription(record, position, read);
  }
}

void ReadEntry(const Node& entry, const FeedScope& scope, ChannelInfo& channel) {
  const AtomNames& names = scope.names;
  const Node& title = entry.FindChildAt(names.title, 0);
  NodeRefs links;
  entry.FindChildren(names.link, links);
  std::string link = FirstAlternateHref(links);
  const Node& content = entry.FindChildAt(names.content, 0);
  if (link.empty()) link = feeds::AttributeText(content, "src");
  // As with RSS items, an entry with neither title nor link is no record.
  if (title.IsNull() && link.empty()) return;

  auto record = std::make_shared<Record>();
  record->title = feeds::TextConstructEscapedText(title, scope.read.code_page);
  record->link = std::move(link);
  record->base_url = feeds::NestedBase(scope.base, entry);
  feeds::ReadEnclosureLinks(links, record->enclosures);
  feeds::AppendMediaEnclosures(entry, scope.read.code_page, record->enclosures);
  record->published = ReadPublished(entry, scope, record->published);
  record->author = ReadAuthor(entry, scope);
  record->subject = ReadCategories(entry, names);
  feeds::TakeTextIfPresent(entry.FindChildAt(names.id, 0), record->guid);
  ReadTexts(entry, scope, *record, channel.records.size());
  feeds::FinishTitle(*record);
  channel.records.push_back(std::move(record));
}

}  // namespace

bool ParseAtom10(const Node& root, ChannelInfo& channel, const feeds::ReadSettings& read) {
  if (root.IsNull()) return false;
  const size_t colon = root.name.rfind(':');
  const AtomNames names(colon == std::string::npos
                            ? std::string_view()
                            : std::string_view(root.name).substr(0, colon + 1));
  FeedScope scope{names, read, feeds::NestedBase(std::string(), root),
                  feeds::AuthorName(AuthorNameOf(root, names).text),
                  feeds::DeclaredXmlLanguage(root, {})};
  ReadChannel(root, scope, channel);

  NodeRefs entries;
  root.FindChildren(names.entry, entries);
  for (const Node* entry : entries) ReadEntry(*entry, scope, channel);
  return true;
}

}  // namespace tarsel
