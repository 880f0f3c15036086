#include "update/merge_records.h"

#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "net/download/body_charset.h"
#include "net/download/cache_file_path.h"
#include "net/download/feed_link_discovery.h"
#include "parse/feeds/feed_parser.h"
#include "parse/feeds/parsed_channel_cleanup.h"
#include "parse/feeds/record_fields.h"
#include "platform/atomic_file.h"
#include "settings/settings.h"
#include "update/loose_record_match.h"
#include "update/merge_records_memory.h"
#include "update/update_options.h"

namespace tarsel {
namespace {

constexpr int32_t kMergeOk = 0;
constexpr int32_t kMergeParseFailed = 4;
constexpr int32_t kMergeFeedDiscovered = 5;

// The body is handled as a zero-terminated text: a zero byte ends it, as it ends the text the
// download writes after undoing gzip.
std::string_view BodyText(std::string_view bytes) {
  const size_t zero = bytes.find('\0');
  return zero == std::string_view::npos ? bytes : bytes.substr(0, zero);
}

// Identity of a record: its title and link. The length prefix keeps ("ab", "c") apart from
// ("a", "bc").
std::string IdentityKey(const Record& record) {
  std::string key = std::to_string(record.title.size());
  key += ':';
  key += record.title;
  key += record.link;
  return key;
}

// The old records of one identity, in list order; `next` is the first not yet taken.
struct SameIdentity {
  std::vector<size_t> positions;
  size_t next = 0;
};

void CarryUserState(const Record& old, Record& parsed) {
  parsed.is_new = false;
  parsed.unread = old.unread;
  parsed.received = old.received;
  parsed.persistent = old.persistent;
  parsed.deleted = old.deleted;
}

// Marks which parsed records the exact match paired, for the loose pass.
struct ExactMatch {
  std::vector<bool> old_taken;
  std::vector<bool> parsed_matched;
  size_t matched = 0;
};

// Each old record matches at most one parsed record, the earliest in feed order, with the same
// title and link byte for byte. This is the pass nearly every record takes.
ExactMatch MatchExactly(const RecordList& old_records, RecordList& parsed) {
  std::unordered_map<std::string, SameIdentity> index;
  for (size_t i = 0; i < old_records.size(); ++i) {
    index[IdentityKey(*old_records[i])].positions.push_back(i);
  }
  ExactMatch match{std::vector<bool>(old_records.size(), false),
                   std::vector<bool>(parsed.size(), false)};
  for (size_t p = 0; p < parsed.size(); ++p) {
    auto found = index.find(IdentityKey(*parsed[p]));
    if (found == index.end() || found->second.next == found->second.positions.size()) continue;
    const size_t position = found->second.positions[found->second.next++];
    CarryUserState(*old_records[position], *parsed[p]);
    match.old_taken[position] = true;
    match.parsed_matched[p] = true;
    ++match.matched;
  }
  return match;
}

// Carries the state of the old records over to the parsed records they match: first by exact
// identity, then, for what is left on both sides, by the loose identity that recognises a
// record an older build of the readers stored with other bytes. Returns which old records were
// taken.
std::vector<bool> MatchOldRecords(const RecordList& old_records, RecordList& parsed,
                                  const FeedBases& bases, int code_page) {
  ExactMatch match = MatchExactly(old_records, parsed);
  const bool left_on_both_sides =
      match.matched < parsed.size() && match.matched < old_records.size();
  if (!left_on_both_sides) return std::move(match.old_taken);
  for (const auto& [p, position] :
       MatchLoosely(old_records, match.old_taken, parsed, match.parsed_matched, bases, code_page)) {
    CarryUserState(*old_records[position], *parsed[p]);
  }
  return std::move(match.old_taken);
}

// Copies of the persistent records nobody matched go to the end of `parsed`, in their order;
// the rest of the unmatched old records are dropped.
void KeepPersistentLeftovers(const RecordList& old_records, const std::vector<bool>& taken,
                             RecordList& parsed) {
  for (size_t i = 0; i < old_records.size(); ++i) {
    if (!taken[i] && old_records[i]->persistent) parsed.push_back(CopyRecord(*old_records[i]));
  }
}

void ReplaceChannel(Column& column, ChannelInfo& parsed) {
  ChannelInfo& channel = column.channel;
  channel.title = std::move(parsed.title);
  channel.link = std::move(parsed.link);
  channel.description = std::move(parsed.description);
  channel.image_url = std::move(parsed.image_url);
  channel.image_title = std::move(parsed.image_title);
  // The parsed records are this merge's own (no view holds them), so they move in as they are.
  column.ReplaceRecords(std::move(parsed.records));
}

// Steps from parsing to the new record list; false when the body is not a feed.
bool MergeFeed(Column& column, std::string_view body, const MergeOptions& options) {
  // A body the download left as it came is brought into a UTF-8 program code page here, by
  // its declaration, before the parser sees it.
  bool converted = column.charset_converted;
  std::string converted_body;
  if (!converted) {
    converted_body.assign(body);
    converted = ConvertBodyByDeclaration(converted_body, false, options.encoding);
    if (converted) body = converted_body;
  }
  ChannelInfo parsed;
  // Relative links resolve against the feed's own address: the column's URL, which a permanent
  // redirect has already moved (a temporary one leaves it, as the next request goes there too).
  if (!ParseAndCleanFeed(body, parsed, converted, options.read, column.url)) {
    column.etag.clear();
    column.last_modified.clear();
    return false;
  }
  ClearNewFlags(column);
  const FeedBases bases{column.url, parsed.link};
  const std::vector<bool> taken =
      MatchOldRecords(column.channel.records, parsed.records, bases, options.read.code_page);
  KeepPersistentLeftovers(column.channel.records, taken, parsed.records);
  RecordList old_records = std::move(column.channel.records);
  ReplaceChannel(column, parsed);
  ReleaseReplacedRecords(std::move(old_records));
  return true;
}

}  // namespace

void ClearNewFlags(Column& column) {
  for (const RecordRef& record : column.channel.records) record->is_new = false;
}

MergeOptions MergeOptionsForSettings(const Settings& settings) {
  return {EncodingForSettings(settings), FeedReadOptionsForSettings(settings)};
}

int32_t MergeRecords(Column& column, const MergeOptions& options) {
  const std::optional<FileContent> file = ReadWholeFile(CacheFilePath(column));
  if (!file) {
    // The body is gone (removed behind our back): the validators would earn a 304 for it.
    column.etag.clear();
    column.last_modified.clear();
    return kMergeOk;
  }
  return MergeRecords(column, file->view(), options);
}

int32_t MergeRecords(Column& column, std::string_view cache_text, const MergeOptions& options) {
  // Deleted markers count as records here: a column the user emptied by deleting is not new.
  const bool never_held_records = column.channel.records.empty();
  const std::string_view body = BodyText(cache_text);

  if (never_held_records && !IsFeedDocument(body.data(), body.size())) {
    std::string feed_url = DiscoverFeedLink(body.data(), body.size(), column.url);
    if (!feed_url.empty()) {
      column.url = std::move(feed_url);
      // The validators belong to the page: sent for the feed they could earn a 304 and the
      // feed would not be read until it changed.
      column.etag.clear();
      column.last_modified.clear();
      return kMergeFeedDiscovered;
    }
  }

  const int32_t status = MergeFeed(column, body, options) ? kMergeOk : kMergeParseFailed;
  if (column.NewCount() > 0) column.last_news_time = NowSeconds();
  // After a failed parse too: the name then becomes whatever channel title the column had.
  if (column.name == kNewColumnName) column.name = column.channel.title;
  return status;
}

}  // namespace tarsel
