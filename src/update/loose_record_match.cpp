#include "update/loose_record_match.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <unordered_map>

#include "html/cleaning.h"
#include "parse/feeds/text_cleanup.h"
#include "platform/system_code_page.h"
#include "platform/url_combine.h"

namespace tarsel {
namespace {

// How many characters of the summary stood in for a title the reader did not find.
constexpr size_t kTitleFromSummaryLength = 50;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

std::string SingleSpaced(std::string_view text) {
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

// The older entity decoder wrote a few characters as ASCII look-alikes: a no-break space as a
// blank, the guillemets and low and left double quotes as '"', the ellipsis as "...". Both
// sides' texts take the same forms here. The single-byte code pages the program uses hold
// these characters at the same bytes.
void AppendFolded(std::string_view text, int code_page, std::string& out) {
  static constexpr std::pair<std::string_view, std::string_view> kUtf8Folds[] = {
      {"\xC2\xA0", " "},      {"\xC2\xAB", "\""},     {"\xC2\xBB", "\""},
      {"\xE2\x80\x9E", "\""}, {"\xE2\x80\x9C", "\""}, {"\xE2\x80\xA6", "..."}};
  static constexpr std::pair<std::string_view, std::string_view> kSingleByteFolds[] = {
      {"\xA0", " "},  {"\xAB", "\""}, {"\xBB", "\""},
      {"\x84", "\""}, {"\x93", "\""}, {"\x85", "..."}};
  using Folds = std::span<const std::pair<std::string_view, std::string_view>>;
  const Folds folds = code_page == kCodePageUtf8 ? Folds(kUtf8Folds) : Folds(kSingleByteFolds);
  for (size_t i = 0; i < text.size();) {
    bool folded = false;
    for (const auto& [from, to] : folds) {
      if (text.substr(i, from.size()) == from) {
        out += to;
        i += from.size();
        folded = true;
        break;
      }
    }
    if (!folded) out += text[i++];
  }
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
  std::string text;
  if (title_html.find_first_of("<&") == std::string_view::npos) {
    text.assign(title_html);
  } else {
    text = HTML::HtmlToPlainText(title_html, code_page);
    // An older reader could store an entity it did not know with its ampersand escaped
    // ("caf&amp;eacute;"): its text still holds the entity, which a newer reader decodes.
    if (text.find('&') != std::string::npos) text = HTML::HtmlToPlainText(text, code_page);
  }
  const bool ascii = std::none_of(text.begin(), text.end(),
                                  [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  if (ascii) return SingleSpaced(text);
  std::string folded;
  folded.reserve(text.size());
  AppendFolded(text, code_page, folded);
  return SingleSpaced(folded);
}

bool LinksAgree(const Record& stored, const Record& parsed, const FeedBases& bases) {
  const std::string& stored_link = stored.link.empty() ? stored.guid : stored.link;
  if (stored_link == parsed.link) return true;
  // An older reader that found no address for the entry (an Atom 1.0 entry whose last link was
  // its enclosure) leaves the title to tell.
  if (stored_link.empty()) return true;
  if (parsed.link.empty()) return false;
  const std::array<std::string, 3> candidates = {EntryBase(parsed, bases), bases.feed_url,
                                                 bases.channel_link};
  for (const std::string& base : candidates) {
    if (base.empty()) continue;
    if (Resolved(base, stored_link) == Resolved(base, parsed.link)) return true;
  }
  return false;
}

namespace {

// The first old record of `positions` not yet taken whose link agrees with `parsed`'s; taken
// now. `needs_address`: only old records with a link or guid qualify.
std::optional<size_t> TakeAgreeing(const std::vector<size_t>& positions,
                                   const RecordList& old_records, std::vector<bool>& old_taken,
                                   const Record& parsed, const FeedBases& bases,
                                   bool needs_address) {
  for (size_t position : positions) {
    const Record& old = *old_records[position];
    if (old_taken[position]) continue;
    if (needs_address && old.link.empty() && old.guid.empty()) continue;
    if (!LinksAgree(old, parsed, bases)) continue;
    old_taken[position] = true;
    return position;
  }
  return std::nullopt;
}

}  // namespace

std::vector<std::pair<size_t, size_t>> MatchLoosely(const RecordList& old_records,
                                                    std::vector<bool>& old_taken,
                                                    const RecordList& parsed,
                                                    const std::vector<bool>& parsed_matched,
                                                    const FeedBases& bases, int code_page) {
  std::vector<std::pair<size_t, size_t>> pairs;
  const TitleIndex index = IndexUntaken(old_records, old_taken, code_page);
  if (index.empty()) return pairs;
  for (size_t p = 0; p < parsed.size(); ++p) {
    if (parsed_matched[p]) continue;
    const Record& record = *parsed[p];
    const std::string key = PlainTitleKey(record.title, code_page);
    std::optional<size_t> position;
    if (auto found = index.find(key); found != index.end()) {
      position = TakeAgreeing(found->second, old_records, old_taken, record, bases, false);
    }
    // A title an older reader could not read (Atom 1.0 xhtml) was stored as the start of the
    // summary, as for an untitled entry: such a record is known by that and its address.
    if (!position && !key.empty()) {
      const std::string untitled_key =
          PlainTitleKey(ShortenText(record.summary, kTitleFromSummaryLength), code_page);
      auto found = index.find(untitled_key);
      if (untitled_key != key && found != index.end()) {
        position = TakeAgreeing(found->second, old_records, old_taken, record, bases, true);
      }
    }
    if (position) pairs.emplace_back(p, *position);
  }
  return pairs;
}

}  // namespace tarsel
