#pragma once

// One feed entry and the list of entries a column or a memories column holds.
//
// Texts are bytes in the program's single-byte code page. `description` is HTML, `summary` is
// the plain text derived from it for the records list. Times are seconds since 1970-01-01 UTC;
// zero or less means never or unknown.
//
// Records are shared through RecordRef: a column's list, a records view and a merge may hold
// the same record. Copy a record (CopyRecord) only where an independent copy is wanted, as for
// memories and for merging.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarsel {

// The current time as 32-bit seconds since 1970-01-01 UTC.
int32_t NowSeconds();

// A file the feed attaches to an entry (a podcast's episode, a video, a picture). Read from the
// feed only: the clean-up writes a record's enclosures into its description, which is what the
// store keeps.
struct Enclosure {
  std::string url;
  std::string type;     // MIME type as the feed gives it; may be empty
  int64_t length = -1;  // bytes; -1 when the feed gives none
  std::string title;    // plain text the feed names it by; may be empty (the file name shows)
};

struct Record {
  // received and published start at the current time.
  Record();

  int32_t received;         // when the record was first seen; kept across updates
  bool unread = true;       // not yet read by the user
  bool is_new = true;       // arrived with the latest update of its column; never stored
  bool persistent = false;  // kept even when the feed no longer carries it
  bool deleted = false;     // removed by the user; stays in the list so it is not added again
  std::string title;
  std::string link;
  std::string summary;   // plain text for the records list
  std::string comments;  // comments link
  std::string author;
  std::string subject;  // subject or category
  std::string guid;
  std::string description;  // HTML
  int32_t published;        // from the feed, or the time of parsing when the feed gives none

  // Set while a feed is parsed and cleaned; never stored.
  std::vector<Enclosure> enclosures;
  std::string base_url;  // the xml:base in effect for the entry, empty when none
};

using RecordRef = std::shared_ptr<Record>;
using RecordList = std::vector<RecordRef>;

// An independent copy with every field, the four flags included.
RecordRef CopyRecord(const Record& record);

// What deleting a record in a column or memories column does: sets deleted and clears
// persistent, unread and new. The record stays in its list.
void MarkRecordDeleted(Record& record);

}  // namespace tarsel
