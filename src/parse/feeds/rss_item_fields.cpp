#include "parse/feeds/rss_item_fields.h"

#include "parse/dates/date_readers.h"
#include "parse/feeds/author_name.h"
#include "parse/feeds/enclosure_block.h"
#include "parse/feeds/feed_fields.h"
#include "parse/feeds/media_rss.h"
#include "parse/feeds/xml_base.h"

namespace tarsel::feeds {

namespace {

using XMLParser::Node;

// RSS 2.0 writes an author as a mail address, often followed by the name in parentheses.
std::string NameOfMailAuthor(const std::string& text) {
  const size_t open = text.find('(');
  const size_t close = text.rfind(')');
  if (open == std::string::npos || close == std::string::npos || close < open) return text;
  const size_t first = text.find_first_not_of(' ', open + 1);
  const size_t last = text.find_last_not_of(' ', close - 1);
  if (first == std::string::npos || first >= close || last < first) return text;
  return text.substr(first, last - first + 1);
}

std::string Lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(c | 0x20);
  return text;
}

// A permalink guid stands in for a missing link only when it can be opened: many feeds leave
// isPermaLink out of guids that are mere numbers or tag: names. A relative path opens only
// against an xml:base the item is under.
bool IsWebPermalink(const Node& guid, bool under_base) {
  if (Lowered(guid.GetAttribute("ispermalink")).find("false") != std::string::npos) return false;
  const std::string start = Lowered(guid.text.substr(0, 8));
  if (start.rfind("http://", 0) == 0 || start.rfind("https://", 0) == 0) return true;
  return under_base && !guid.text.empty() && !HasScheme(guid.text) &&
         guid.text.find('/') != std::string::npos &&
         guid.text.find_first_of(" \t\r\n") == std::string::npos;
}

}  // namespace

bool ReadRssAuthor(const Node& item, std::string& author) {
  if (const Node& creator = item.FindChildAt("dc:creator", 0); !creator.IsNull()) {
    author = AuthorName(creator.text);
  } else if (const Node& dc_author = item.FindChildAt("dc:author", 0); !dc_author.IsNull()) {
    author = AuthorName(dc_author.text);
  } else if (const Node& mail = item.FindChildAt("author", 0); !mail.IsNull()) {
    author = AuthorName(NameOfMailAuthor(mail.text));
  } else if (const Node& itunes = item.FindChildAt("itunes:author", 0); !itunes.IsNull()) {
    author = AuthorName(itunes.text);
  } else {
    return false;
  }
  return true;
}

bool ReadRssSubject(const Node& item, std::string& subject) {
  if (const Node& dc_subject = item.FindChildAt("dc:subject", 0); !dc_subject.IsNull()) {
    subject = dc_subject.text;
    return true;
  }
  XMLParser::NodeRefs categories;
  item.FindChildren("category", categories);
  if (categories.empty()) {
    CategoryList others;
    AddExtensionCategories(item, others);
    if (others.empty()) return false;
    subject = others.joined();
    return true;
  }
  subject.clear();
  size_t joined = 0;
  for (const Node* category : categories) {
    if (category->text.empty()) continue;
    if (joined++ == kMaxCategories) break;
    if (!subject.empty()) subject += ", ";
    subject += category->text;
  }
  return true;
}

std::string ReadRssLink(const Node& item, bool under_base) {
  const Node& link = item.FindChildAt("link", 0);
  if (!link.text.empty()) return link.text;
  const Node& guid = item.FindChildAt("guid", 0);
  return IsWebPermalink(guid, under_base) ? guid.text : link.text;
}

int32_t ReadRssPublished(const Node& item, int32_t fallback, DateLanguage language) {
  if (const Node& pub_date = item.FindChildAt("pubdate", 0); !pub_date.IsNull()) {
    return ReadRfc822DateInLanguage(pub_date.text, language);
  }
  for (std::string_view name :
       {"dc:date", "dcterms:modified", "dcterms:issued", "dcterms:created"}) {
    const Node& date = item.FindChildAt(name, 0);
    if (!date.IsNull()) return ReadIsoDateInLanguage(date.text, language);
  }
  return fallback;
}

std::string_view RssChannelLanguage(const Node& channel) {
  const Node& language = channel.FindChildAt("language", 0);
  if (!language.text.empty()) return language.text;
  return channel.FindChildAt("dc:language", 0).text;
}

std::vector<Enclosure> ReadRssEnclosures(const Node& item, int code_page) {
  std::vector<Enclosure> enclosures;
  XMLParser::NodeRefs elements;
  item.FindChildren("enclosure", elements);
  for (const Node* element : elements) {
    if (enclosures.size() >= kMaxEnclosures) break;
    AppendEnclosure(element->GetAttribute("url"), element->GetAttribute("type"),
                    element->GetAttribute("length"), code_page, enclosures);
  }
  AppendMediaEnclosures(item, code_page, enclosures);
  return enclosures;
}

}  // namespace tarsel::feeds
