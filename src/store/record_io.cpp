#include "store/record_io.h"

#include <algorithm>

#include "store/legacy_dates.h"

namespace tarsel {
namespace {

// Store versions from which a field is stored.
constexpr int32_t kSubjectSince = 102;
constexpr int32_t kSummarySince = 103;
constexpr int32_t kMarksSince = 140;
constexpr int32_t kDescriptionMovedIn = 149;
constexpr int32_t kBinaryDatesSince = 200;
// FormatDate style of the date texts older stores hold.
constexpr int kStoredDateStyle = 9;

// A record text, or nothing when the reader leaves the texts out.
void ReadText(StoreArchive& archive, std::string& text) {
  if (archive.options().record_texts) {
    archive.Read(text);
  } else {
    archive.SkipString();
  }
}

}  // namespace

void WriteRecord(StoreArchive& archive, const Record& record) {
  archive.Write(record.title);
  archive.Write(record.link);
  archive.Write(record.comments);
  archive.Write(record.author);
  archive.Write(record.guid);
  archive.Write(record.description);
  archive.Write(record.subject);
  archive.Write(record.received);
  archive.Write(record.unread);
  archive.Write(record.summary);
  archive.Write(record.persistent);
  archive.Write(record.deleted);
  archive.Write(record.published);
}

RecordRef ReadRecord(StoreArchive& archive) {
  const int32_t version = archive.version();
  const int32_t now = archive.now();
  auto record = std::make_shared<Record>();
  record->received = now;
  record->published = now;
  ReadText(archive, record->title);
  ReadText(archive, record->link);
  if (version < kDescriptionMovedIn) ReadText(archive, record->description);
  std::string date_text;
  if (version < kBinaryDatesSince) archive.Read(date_text);
  ReadText(archive, record->comments);
  ReadText(archive, record->author);
  ReadText(archive, record->guid);
  std::string description;
  ReadText(archive, description);
  if (!description.empty()) record->description = std::move(description);
  if (version >= kSubjectSince) ReadText(archive, record->subject);
  archive.Read(record->received);
  if (record->received <= 0) record->received = now;
  if (date_text.empty()) date_text = StoredDateText(record->received, kStoredDateStyle);
  archive.Read(record->unread);
  if (version >= kSummarySince) {
    ReadText(archive, record->summary);
  } else if (archive.options().make_summary && archive.options().record_texts) {
    record->summary = archive.options().make_summary(record->description, record->link);
  }
  record->is_new = false;
  if (version >= kMarksSince) {
    archive.Read(record->persistent);
    archive.Read(record->deleted);
  }
  if (version < kDescriptionMovedIn && !date_text.empty()) {
    record->received = StoredDateValue(date_text);
  }
  if (version >= kBinaryDatesSince) {
    archive.Read(record->published);
    if (record->published <= 0) record->published = now;
  } else {
    record->published = StoredDateValue(date_text);
    if (record->published <= 0) record->published = now;
    record->received = record->published;
  }
  return record;
}

size_t MinRecordSize(int32_t version) {
  size_t strings = 6;  // title, link, comments, author, guid, description
  if (version < kDescriptionMovedIn) ++strings;
  if (version < kBinaryDatesSince) ++strings;
  if (version >= kSubjectSince) ++strings;
  if (version >= kSummarySince) ++strings;
  size_t size = strings * 4 + 4 + 1;  // + received, unread
  if (version >= kMarksSince) size += 2;
  if (version >= kBinaryDatesSince) size += 4;
  return size;
}

void ReadRecords(StoreArchive& archive, int32_t count, RecordList& records, int32_t damaged) {
  const size_t min_size = MinRecordSize(archive.version());
  if (count < 0) throw CArchiveExeption(damaged);
  if (static_cast<size_t>(count) > archive.Remaining() / min_size) {
    throw CArchiveExeption(damaged);
  }
  // A cut-off file may claim more than it holds: reserve only what the data could hold.
  const size_t reserve = std::min(static_cast<size_t>(count), archive.DataRemaining() / min_size);
  records.reserve(records.size() + reserve);
  for (int32_t i = 0; i < count; ++i) {
    if (archive.Remaining() < min_size) throw CArchiveExeption(damaged);
    records.push_back(ReadRecord(archive));
  }
}

void SortNewestFirst(RecordList& records) {
  std::stable_sort(records.begin(), records.end(), [](const RecordRef& a, const RecordRef& b) {
    return a->published > b->published;
  });
}

}  // namespace tarsel
