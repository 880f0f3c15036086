#include "update/loose_record_match.h"

#include <array>
#include <optional>
#include <unordered_map>

#include "html/cleaning.h"
#include "platform/url_combine.h"

namespace tarsel {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

std::string CollapseBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool pending_blank = false;
  for (char c : text) {
    if (IsBlank(c)) {
      pending_blank = !out.empty();
      continue;
    }
    if (pending_blank) out += ' ';
    pending_blank = false;
    out += c;
  }
  return out;
}

// `link` resolved against `base`; itself when either is empty or they do not combine.
std::string Resolved(std::string_view base, std::string_view link) {
  if (base.empty() || link.empty()) return std::string(link);
  return CombineUrl(base, link).value_or(std::string(link));
}

// The entry's xml:base may itself be relative to the feed's address.
std::string EntryBase(const Record& parsed, const FeedBases& bases) {
  if (parsed.base_url.empty()) return {};
  return Resolved(bases.feed_url, parsed.base_url);
}

// The old records not yet taken, by the plain text of their titles, in list order.
using TitleIndex = std::unordered_map<std::string, std::vector<size_t>>;

TitleIndex IndexUntaken(const RecordList& old_records, const std::vector<bool>& old_taken,
                        int code_page) {
  TitleIndex index;
  for (size_t i = 0; i < old_records.size(); ++i) {
    if (!old_taken[i]) index[PlainTitleKey(old_records[i]->title, code_page)].push_back(i);
  }
  return index;
}

}  // namespace

std::string PlainTitleKey(std::string_view title_html, int code_page) {
  if (title_html.find_first_of("<&") == std::string_view::npos) return CollapseBlanks(title_html);
  std::string text = HTML::HtmlToPlainText(title_html, code_page);
  // An older reader could store an entity it did not know with its ampersand escaped
  // ("caf&amp;eacute;"): its text still holds the entity, which a newer reader decodes.
  if (text.find('&') != std::string::npos) text = HTML::HtmlToPlainText(text, code_page);
  return CollapseBlanks(text);
}

bool LinksAgree(const Record& stored, const Record& parsed, const FeedBases& bases) {
  const std::string& stored_link = stored.link.empty() ? stored.guid : stored.link;
  if (stored_link == parsed.link) return true;
  if (stored_link.empty() || parsed.link.empty()) return false;
  const std::array<std::string, 3> candidates = {EntryBase(parsed, bases), bases.feed_url,
                                                 bases.channel_link};
  for (const std::string& base : candidates) {
    if (base.empty()) continue;
    if (Resolved(base, stored_link) == Resolved(base, parsed.link)) return true;
  }
  return false;
}

std::vector<std::pair<size_t, size_t>> MatchLoosely(const RecordList& old_records,
                                                    std::vector<bool>& old_taken,
                                                    const RecordList& parsed,
                                                    const std::vector<bool>& parsed_matched,
                                                    const FeedBases& bases, int code_page) {
  std::vector<std::pair<size_t, size_t>> pairs;
  TitleIndex index = IndexUntaken(old_records, old_taken, code_page);
  if (index.empty()) return pairs;
  for (size_t p = 0; p < parsed.size(); ++p) {
    if (parsed_matched[p]) continue;
    auto found = index.find(PlainTitleKey(parsed[p]->title, code_page));
    if (found == index.end()) continue;
    for (size_t position : found->second) {
      if (old_taken[position] || !LinksAgree(*old_records[position], *parsed[p], bases)) continue;
      old_taken[position] = true;
      pairs.emplace_back(p, position);
      break;
    }
  }
  return pairs;
}

}  // namespace tarsel
