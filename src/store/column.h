#pragma once

// Feed columns: FeedNode (the update bookkeeping) and Column (a subscription with its channel,
// records, filters and actions).
//
// Threads: the main thread owns a column. While an update runs, its worker thread holds the
// column's `lock` from before the merge until the notifications are done and writes the
// channel, the records, etag, last modified, the URL after autodiscovery and the update
// bookkeeping; whoever reads those while the column is busy takes `lock`. The fields a worker
// writes without the lock and the main thread polls (update_state, last_result,
// last_update_time, last_news_time) are atomic.
// Texts are bytes in the program's single-byte code page.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "store/channel_info.h"
#include "store/filter_rule.h"
#include "store/tree_node.h"

namespace tarsel {

// FeedNode::update_state
inline constexpr int32_t kUpdateIdle = 0;
inline constexpr int32_t kUpdateQueued = 1;
inline constexpr int32_t kUpdateRunning = 2;
inline constexpr int32_t kUpdateFinished = 3;
// The last result stored when an update could not even start ("Error during update").
inline constexpr int32_t kUpdateStartFailure = 2;

// Values a new column takes from the settings (updateperiod and the archive entries). The
// caller fills them from its settings; the members' own values are the settings' defaults.
struct NewColumnDefaults {
  int32_t update_interval = 10800;  // seconds; 0 = only manual check
  bool archive_enabled = false;
  bool archive_by_count = true;
  int32_t archive_depth = 30;
};

class FeedNode : public TreeNode {
 public:
  void Serialize(StoreArchive& archive) override;
  bool Busy() const override { return update_state.load() != kUpdateIdle; }

  // Main thread: sets the state to updating and starts the update.
  virtual void StartUpdate() = 0;
  // Worker thread: records the result of an update (0 success, else a failure code).
  virtual void UpdateFinished(int32_t status) = 0;
  // Main thread: ends the update at once, without waiting for the worker.
  virtual void StopUpdate() = 0;

  // False when the interval is 0; true when never updated; otherwise true when more than the
  // interval has passed since the last update.
  bool IsDue(int32_t now) const;

  std::atomic<int32_t> last_result{0};   // 0 success, else a failure code of the download
  std::atomic<int32_t> update_state{0};  // kUpdateIdle .. kUpdateFinished
  bool play_sound = true;
  bool notify = true;  // gates the sound and the pop-up after an update
  bool update_on_start = true;
  std::atomic<int32_t> last_update_time{0};
  std::atomic<int32_t> last_news_time{0};
  int32_t update_interval = 0;  // seconds; 0 = only manual check

 protected:
  FeedNode() = default;
};

// The update engine's worker for one column. A column owns at most one; the engine attaches
// it with Column::SetUpdateThread. Destroying it must end its thread (cooperatively); it must
// not be destroyed on its own thread.
class ColumnUpdateThread {
 public:
  virtual ~ColumnUpdateThread() = default;
  // Main thread: runs an update of `owner` on a thread of its own. False when no thread could
  // be started.
  virtual bool Start(const std::shared_ptr<Column>& owner) = 0;
  // Main thread: makes the worker leave at once, without waiting for it. False when the worker
  // no longer touches the column. True when it was merging: it finishes that merge and then
  // leaves the column idle itself (state idle, last result 0, last update time now); until
  // then the column stays busy, so the window reads it only under its lock.
  virtual bool Stop() = 0;
  // Worker thread, from Column::UpdateFinished before the column shows the result: forgets
  // the thread and raises the notifications when `status` is 0.
  virtual void Finished(Column& owner, int32_t status) = 0;
};

class Column : public FeedNode {
 public:
  // A new column: update on start off, the interval and archive fields from `defaults`.
  explicit Column(const NewColumnDefaults& defaults = {});
  ~Column() override;

  NodeKind Kind() const override { return NodeKind::kColumn; }
  // The channel title when use_title_from_rss is on and the title is non-empty, else name.
  std::string DisplayName() const override;
  std::string Description() const override { return channel.description; }
  void Serialize(StoreArchive& archive) override;
  void CollectColumns(std::vector<std::shared_ptr<Column>>& columns) override;
  // Records not deleted and unread, and records not deleted: counts kept as the records
  // change, so any thread reads them at once, without the lock and without a scan. They stay
  // right as long as every change of a record's unread or deleted flag, and every new list,
  // goes through the record operations below.
  int32_t UnreadCount() const override { return unread_count_.load(std::memory_order_relaxed); }
  int32_t TotalCount() const override { return total_count_.load(std::memory_order_relaxed); }
  // Records whose deleted flag is false and new flag true (counted: only the worker and the
  // command line ask).
  int32_t NewCount() const;

  // Record operations that keep the counts. `record` is one of channel.records; a caller that
  // may race a merging worker holds `lock`.
  // Sets or clears unread (a deleted record stays read); true when the flag changed.
  bool SetRecordUnread(Record& record, bool unread);
  // MarkRecordDeleted.
  void DeleteRecord(Record& record);
  // The column's filters for `record`, which a mark-read filter marks read; false when a filter
  // declines the record.
  bool PassesFilters(Record& record);
  // A merge's new list takes the place of the records.
  void ReplaceRecords(RecordList records);
  // Counts channel.records anew, after the list was filled directly (loading, a test's set-up).
  void RecountRecords();

  // Without an attached worker (or when it cannot start) the update ends at once with
  // kUpdateStartFailure, so the column leaves the update queue.
  void StartUpdate() override;
  // Calls the worker's Finished, then stores status and the time, then sets kUpdateFinished.
  void UpdateFinished(int32_t status) override;
  // Stops the worker; state idle, last result 0, last update time now, at once or, when the
  // worker was merging, by the worker once the merge is done.
  void StopUpdate() override;

  void SetUpdateThread(std::unique_ptr<ColumnUpdateThread> thread);
  ColumnUpdateThread* update_thread() const { return update_thread_.get(); }

  std::string url;
  std::string login;
  std::string password;       // plain in memory, scrambled in the store file
  std::string etag;           // sent as If-None-Match
  std::string last_modified;  // sent as If-Modified-Since
  int32_t reserved = 0;       // kept in the store file and written back; nothing uses it
  bool use_title_from_rss = true;
  ChannelInfo channel;
  std::mutex lock;  // held by the worker from before the merge until the notifications end
  std::vector<FilterRule> filters;  // evaluation order
  bool auto_save = false;
  bool run_program = false;
  bool send_mail = false;
  bool include_body = false;
  std::string auto_save_path;
  std::string program_path;
  std::string mail_address;
  bool archive_enabled = false;
  bool archive_by_count = true;  // true: keep the last N records; false: the last N days
  int32_t archive_depth = 30;
  bool charset_converted = false;  // the download already converted the body; not stored
  // The HTTP status of the last answer of the last download (0: none came); not stored. Tells
  // a redirect loop (a 3xx with failure 161) from a real 404.
  std::atomic<int32_t> last_http_status{0};

 public:
  // What one record adds to the kept counts.
  struct RecordCounts {
    int32_t unread;
    int32_t total;
  };

 private:
  void SerializeColumnBlock(StoreArchive& archive);
  void LoadRecords(StoreArchive& archive);
  void LoadFilters(StoreArchive& archive);
  void SaveRecordsAndFilters(StoreArchive& archive);
  void CountChange(const RecordCounts& was, const Record& after);
  std::unique_ptr<ColumnUpdateThread> update_thread_;
  std::atomic<int32_t> unread_count_{0};
  std::atomic<int32_t> total_count_{0};
};

}  // namespace tarsel
