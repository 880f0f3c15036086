// How feed columns are read from and written to the store files.

#include <algorithm>

#include "store/column.h"
#include "store/password_scramble.h"
#include "store/record_io.h"
#include "store/store_archive.h"

namespace tarsel {
namespace {

// Stores from this version keep the title choice, archive and action fields.
constexpr int32_t kActionsSince = 140;
// Stores up to this version keep records unsorted; they are sorted newest first on reading.
constexpr int32_t kUnsortedUntil = 199;
// The fewest bytes of a filter: its block header.
constexpr size_t kMinFilterSize = 8;

void ReadAtomic(StoreArchive& archive, std::atomic<int32_t>& field) {
  int32_t value = field.load();
  archive.Read(value);
  field = value;
}

void SerializeFilter(StoreArchive& archive, FilterRule& rule) {
  archive.BeginBlock();
  archive.Field(rule.text);
  archive.Field(rule.condition);
  archive.Field(rule.action);
  archive.Field(rule.field);
  archive.EndBlock();
}

[[noreturn]] void CloseAndDrop(StoreArchive& archive) {
  archive.NoteDamage();
  archive.EndBlock();
  throw CArchiveExeption(CArchiveExeption::kDamagedNode);
}

// A negative count is damage, but the column stays: no record or rule is read, as a loop
// counting up to it would read none.
int32_t ReadCount(StoreArchive& archive) {
  const int32_t count = archive.ReadInt32();
  if (count >= 0) return count;
  archive.NoteDamage();
  return 0;
}

}  // namespace

void FeedNode::Serialize(StoreArchive& archive) {
  TreeNode::Serialize(archive);
  archive.BeginBlock();
  if (archive.IsLoading()) {
    ReadAtomic(archive, last_result);
    ReadAtomic(archive, update_state);
    archive.Read(play_sound);
    archive.Read(update_on_start);
    ReadAtomic(archive, last_update_time);
    ReadAtomic(archive, last_news_time);
    archive.Read(update_interval);
    archive.Read(notify);
  } else {
    const bool clean = archive.options().save_columns_mode;
    archive.Write(last_result.load());
    archive.Write(update_state.load());
    archive.Write(play_sound);
    archive.Write(update_on_start);
    archive.Write(clean ? 0 : last_update_time.load());
    archive.Write(clean ? 0 : last_news_time.load());
    archive.Write(update_interval);
    archive.Write(notify);
  }
  archive.EndBlock();
}

void Column::Serialize(StoreArchive& archive) {
  if (archive.IsLoading()) {
    // A loaded column is idle whatever its store says, even one kept partly read.
    try {
      FeedNode::Serialize(archive);
      SerializeColumnBlock(archive);
    } catch (const CArchiveExeption&) {
      last_result = 0;
      update_state = kUpdateIdle;
      throw;
    }
    last_result = 0;
    update_state = kUpdateIdle;
    return;
  }
  // A merge still running must not change the column while it is written.
  std::lock_guard<std::mutex> guard(lock);
  FeedNode::Serialize(archive);
  SerializeColumnBlock(archive);
}

void Column::SerializeColumnBlock(StoreArchive& archive) {
  const bool loading = archive.IsLoading();
  const bool clean = !loading && archive.options().save_columns_mode;
  archive.BeginBlock();
  archive.Field(name);
  archive.Field(url);
  archive.Field(login);
  if (loading) {
    archive.Read(password);
    password = UnscramblePassword(password);
  } else {
    archive.Write(ScramblePassword(password));
  }
  archive.Field(reserved);
  if (clean) {
    archive.Write(std::string_view());
    archive.Write(std::string_view());
  } else {
    archive.Field(etag);
    archive.Field(last_modified);
  }
  archive.Field(channel.title);
  archive.Field(channel.link);
  archive.Field(channel.description);
  archive.Field(channel.image_url);
  archive.Field(channel.image_title);
  if (loading) {
    LoadRecords(archive);
    LoadFilters(archive);
  } else {
    SaveRecordsAndFilters(archive);
  }
  if (!loading || archive.version() >= kActionsSince) {
    archive.Field(use_title_from_rss);
    archive.Field(archive_enabled);
    archive.Field(archive_by_count);
    archive.Field(archive_depth);
    archive.Field(auto_save);
    archive.Field(run_program);
    archive.Field(send_mail);
    archive.Field(include_body);
    archive.Field(auto_save_path);
    archive.Field(program_path);
    archive.Field(mail_address);
  }
  archive.EndBlock();
}

void Column::LoadRecords(StoreArchive& archive) {
  const int32_t count = ReadCount(archive);
  try {
    ReadRecords(archive, count, channel.records, CArchiveExeption::kDamagedNode);
  } catch (const CArchiveExeption& error) {
    RecountRecords();
    if (error.code() == CArchiveExeption::kDamagedNode) CloseAndDrop(archive);
    throw;
  }
  if (archive.version() <= kUnsortedUntil) SortNewestFirst(channel.records);
  RecountRecords();
}

void Column::LoadFilters(StoreArchive& archive) {
  const int32_t count = ReadCount(archive);
  if (static_cast<size_t>(count) > archive.Remaining() / kMinFilterSize) {
    CloseAndDrop(archive);
  }
  filters.reserve(std::min(static_cast<size_t>(count), archive.DataRemaining() / kMinFilterSize));
  for (int32_t i = 0; i < count; ++i) {
    if (archive.Remaining() < kMinFilterSize) CloseAndDrop(archive);
    FilterRule rule;
    SerializeFilter(archive, rule);
    filters.push_back(std::move(rule));
  }
}

void Column::SaveRecordsAndFilters(StoreArchive& archive) {
  if (archive.options().save_columns_mode) {
    archive.Write(int32_t{0});
  } else {
    archive.Write(static_cast<int32_t>(channel.records.size()));
    for (const RecordRef& record : channel.records) WriteRecord(archive, *record);
  }
  archive.Write(static_cast<int32_t>(filters.size()));
  for (FilterRule& rule : filters) SerializeFilter(archive, rule);
}

}  // namespace tarsel
