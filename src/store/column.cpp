#include "store/column.h"

#include <algorithm>

namespace tarsel {
namespace {

Column::RecordCounts Counts(const Record& record) {
  return {!record.deleted && record.unread ? 1 : 0, record.deleted ? 0 : 1};
}

}  // namespace

bool FeedNode::IsDue(int32_t now) const {
  if (update_interval == 0) return false;
  const int32_t last = last_update_time.load();
  if (last <= 0) return true;
  // In 64 bits: a clock set far back or an interval near the limit must not wrap.
  return static_cast<int64_t>(now) - last > update_interval;
}

Column::Column(const NewColumnDefaults& defaults)
    : archive_enabled(defaults.archive_enabled),
      archive_by_count(defaults.archive_by_count),
      archive_depth(defaults.archive_depth) {
  update_on_start = false;
  update_interval = defaults.update_interval;
}

Column::~Column() = default;

std::string Column::DisplayName() const {
  if (use_title_from_rss && !channel.title.empty()) return channel.title;
  return name;
}

void Column::CollectColumns(std::vector<std::shared_ptr<Column>>& columns) {
  columns.push_back(std::static_pointer_cast<Column>(shared_from_this()));
}

bool Column::SetRecordUnread(Record& record, bool unread) {
  if (record.unread == unread || (unread && record.deleted)) return false;
  const RecordCounts before = Counts(record);
  record.unread = unread;
  CountChange(before, record);
  return true;
}

void Column::DeleteRecord(Record& record) {
  const RecordCounts before = Counts(record);
  MarkRecordDeleted(record);
  CountChange(before, record);
}

bool Column::PassesFilters(Record& record) {
  const RecordCounts before = Counts(record);
  const bool passes = PassesFilterRules(record, filters);
  CountChange(before, record);
  return passes;
}

void Column::ReplaceRecords(RecordList records) {
  channel.records = std::move(records);
  RecountRecords();
}

void Column::RecountRecords() {
  int32_t unread = 0;
  int32_t total = 0;
  for (const RecordRef& record : channel.records) {
    const RecordCounts counts = Counts(*record);
    unread += counts.unread;
    total += counts.total;
  }
  unread_count_.store(unread, std::memory_order_relaxed);
  total_count_.store(total, std::memory_order_relaxed);
}

void Column::CountChange(const RecordCounts& was, const Record& after) {
  const RecordCounts is = Counts(after);
  if (is.unread != was.unread) unread_count_.fetch_add(is.unread - was.unread);
  if (is.total != was.total) total_count_.fetch_add(is.total - was.total);
}

int32_t Column::NewCount() const {
  return static_cast<int32_t>(
      std::count_if(channel.records.begin(), channel.records.end(),
                    [](const RecordRef& record) { return !record->deleted && record->is_new; }));
}

void Column::StartUpdate() {
  update_state = kUpdateRunning;
  auto self = std::static_pointer_cast<Column>(shared_from_this());
  if (update_thread_ && update_thread_->Start(self)) return;
  // Nothing runs the update: finish it at once so the column leaves the queue.
  last_result = kUpdateStartFailure;
  last_update_time = NowSeconds();
  update_state = kUpdateFinished;
}

void Column::UpdateFinished(int32_t status) {
  if (update_thread_) update_thread_->Finished(*this, status);
  last_result = status;
  last_update_time = NowSeconds();
  update_state = kUpdateFinished;
}

void Column::StopUpdate() {
  if (update_thread_ && update_thread_->Stop()) return;
  update_state = kUpdateIdle;
  last_result = 0;
  last_update_time = NowSeconds();
}

void Column::SetUpdateThread(std::unique_ptr<ColumnUpdateThread> thread) {
  update_thread_ = std::move(thread);
}

}  // namespace tarsel
