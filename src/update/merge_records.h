#pragma once

// Turning a freshly downloaded feed body (the column's cache file) into the column's channel
// data and record list, keeping the user's read, received, persistent and deleted marks on the
// records the feed still carries.
//
// Threads: the column's update worker, with the column's `lock` held by the caller (the CLI
// and the tests: their one thread). Nothing here takes the lock itself. The merge writes only
// its own column: the channel, the records, etag and last modified, the URL after
// autodiscovery, last news time and the name of a column still called "New RSS Column".
// Texts are bytes in the program's code page.

#include <cstdint>
#include <string_view>

#include "parse/charsets/encoding_choice.h"
#include "parse/feeds/record_fields.h"
#include "settings/settings.h"
#include "store/column.h"

namespace tarsel {

// What a merge follows of the user's settings: the character-set choice for a body the
// download left unconverted, and the feed readers' options.
struct MergeOptions {
  EncodingChoice encoding = EncodingChoice::kAutomatic;
  feeds::ReadSettings read;
};
MergeOptions MergeOptionsForSettings(const Settings& settings);

// The name a column carries until its first successful merge gives it the channel title.
inline constexpr char kNewColumnName[] = "New RSS Column";

// Merges the column's cache file (CacheFilePath) into the column. Returns
//   0 merged, or no cache file (the column is then unchanged but for etag and last modified,
//     which are cleared so that the next download fetches the whole body);
//   4 the body is not a well-formed feed: etag and last modified are cleared so the next
//     download fetches the whole body; records and channel stay as they were;
//   5 the column held no records, the body is a web page, and the feed link found in it
//     became the column's URL (records and channel untouched; the page's etag and last
//     modified are cleared, so the first request for the feed is not conditional).
// Records match by title and link, byte for byte; the records left over on both sides then match
// when their titles read the same as text and their links agree against the feed's bases
// (loose_record_match.h), so a record an older build stored with other bytes keeps its marks.
// The resulting list is the feed's records in
// feed order, followed by the persistent records the feed no longer carries, in their previous
// order; every other old record is dropped. No archive limit is applied.
// `options` are the user's choices of the task's settings snapshot (MergeOptionsForSettings).
int32_t MergeRecords(Column& column, const MergeOptions& options);

// The same for `cache_text`, what the download has just written into the cache file, without
// reading the file back.
int32_t MergeRecords(Column& column, std::string_view cache_text, const MergeOptions& options);

// Sets new to false on every record of the column (an update that brought no new content).
void ClearNewFlags(Column& column);

// Records whose deleted flag is false and new flag true.
inline int32_t NewCount(const Column& column) {
  return column.NewCount();
}

}  // namespace tarsel
