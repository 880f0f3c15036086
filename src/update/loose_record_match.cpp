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

// An address as each base reads it: itself, and resolved against the feed's address and the
// channel link; without repeats. An empty address has the one empty form.
std::vector<std::string> AddressForms(const std::string& address, const FeedBases& bases) {
  std::vector<std::string> forms{address};
  if (address.empty()) return forms;
  for (const std::string* base : {&bases.feed_url, &bases.channel_link}) {
    std::string resolved = Resolved(*base, address);
    if (std::find(forms.begin(), forms.end(), resolved) == forms.end()) {
      forms.push_back(std::move(resolved));
    }
  }
  return forms;
}

const std::string& AddressOf(const Record& stored) {
  return stored.link.empty() ? stored.guid : stored.link;
}

// Old record positions in list order; `next` is past those known to be taken.
struct Candidates {
  std::vector<size_t> positions;
  size_t next = 0;
};

// The old records of one title text. Their addresses are indexed by every form the first
// time a parsed record asks, so that a feed of one title repeated thousands of times costs a
// lookup per record, not a comparison per pair.
struct TitleBucket {
  Candidates all;
  std::unordered_map<std::string, Candidates> by_address;
  bool addressed = false;
};

using TitleIndex = std::unordered_map<std::string, TitleBucket>;

TitleIndex IndexUntaken(const RecordList& old_records, const std::vector<bool>& old_taken,
                        int code_page) {
  TitleIndex index;
  for (size_t i = 0; i < old_records.size(); ++i) {
    if (!old_taken[i])
      index[PlainTitleKey(old_records[i]->title, code_page)].all.positions.push_back(i);
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

namespace {

// An entry's own xml:base differs from entry to entry, so it is not indexed: that many old
// records of the bucket are compared one by one.
constexpr size_t kEntryBaseComparisons = 16;

// Whether the stored record's link (its guid when it has none) and the parsed record's link
// name the same address, resolved against the same base.
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

void IndexAddresses(TitleBucket& bucket, const RecordList& old_records, const FeedBases& bases) {
  for (size_t position : bucket.all.positions) {
    for (std::string& form : AddressForms(AddressOf(*old_records[position]), bases)) {
      bucket.by_address[std::move(form)].positions.push_back(position);
    }
  }
  bucket.addressed = true;
}

std::optional<size_t> TakeFirst(Candidates& candidates, std::vector<bool>& old_taken) {
  while (candidates.next < candidates.positions.size() &&
         old_taken[candidates.positions[candidates.next]]) {
    ++candidates.next;
  }
  if (candidates.next == candidates.positions.size()) return std::nullopt;
  const size_t position = candidates.positions[candidates.next++];
  old_taken[position] = true;
  return position;
}

std::optional<size_t> TakeByAddress(TitleBucket& bucket, const std::string& form,
                                    std::vector<bool>& old_taken) {
  auto found = bucket.by_address.find(form);
  if (found == bucket.by_address.end()) return std::nullopt;
  return TakeFirst(found->second, old_taken);
}

// The first old record of `bucket` not yet taken whose address agrees with `parsed`'s; taken
// now. `needs_address`: only old records with a link or guid qualify.
std::optional<size_t> TakeAgreeing(TitleBucket& bucket, const RecordList& old_records,
                                   std::vector<bool>& old_taken, const Record& parsed,
                                   const FeedBases& bases, bool needs_address) {
  if (!bucket.addressed) IndexAddresses(bucket, old_records, bases);
  for (const std::string& form : AddressForms(parsed.link, bases)) {
    if (form.empty() && needs_address) continue;
    if (auto position = TakeByAddress(bucket, form, old_taken)) return position;
  }
  if (!needs_address) {
    if (auto position = TakeByAddress(bucket, std::string(), old_taken)) return position;
  }
  if (parsed.base_url.empty() || parsed.link.empty()) return std::nullopt;
  Candidates& all = bucket.all;
  while (all.next < all.positions.size() && old_taken[all.positions[all.next]]) ++all.next;
  const size_t end = std::min(all.positions.size(), all.next + kEntryBaseComparisons);
  for (size_t i = all.next; i < end; ++i) {
    const size_t position = all.positions[i];
    if (old_taken[position] || AddressOf(*old_records[position]).empty()) continue;
    if (!LinksAgree(*old_records[position], parsed, bases)) continue;
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
  TitleIndex index = IndexUntaken(old_records, old_taken, code_page);
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
    if (!position && !key.empty() && !record.link.empty()) {
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
