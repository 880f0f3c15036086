#pragma once

// The update queue: which columns update, when, and how many at once.
//
// One queue, owned by whoever drives the updates (the main window, tarsel-cli, a test), used
// only on that thread. The driver calls the ticks with the current time, from its timers:
//   Tick             every 4000 ms (monotonic milliseconds)
//   DueCheck         every 3000 ms (wall-clock seconds, as column times are)
//   CheckConnection  every 5000 ms
// and the commands below from its menus. Finished updates are seen only by the next Tick: a
// worker never calls back into the queue.
//
// The user interface hears of the queue through UpdateQueueObserver. The connectivity test and
// the periodic save of columns.dat come in as functions, so tests can replace them.
//
// Columns belong to the tree; the queue keeps references to the columns it holds. A column the
// queue starts gets a ColumnUpdater (with the queue's UpdateServices) unless it has a worker
// already.
//
// At exit: StopAll, then WorkerThread::WaitForHandedOff before the notice and sound services
// go; destroying the queue stops nothing by itself.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "net/http/connection_watch.h"
#include "store/column.h"
#include "store/column_tree.h"
#include "update/update_services.h"

namespace tarsel {

inline constexpr char kNotConnectedText[] = "No internet connection detected";
inline constexpr char kNotConnectedCaption[] = "Connection Error";

// The tray's tooltip: the queue's status line ("Updating: U In queue: W") and the unread
// records of all columns ("\n Unread Enrties - N").
std::string QueueTooltip(const std::string& status, int32_t unread);

class UpdateQueueObserver {
 public:
  virtual ~UpdateQueueObserver() = default;
  // The column's line in the columns tree needs redrawing (its state or counts changed).
  virtual void RefreshColumn(Column& /*column*/) {}
  // A column left the queue at a tick: its update finished (last_result holds the status) or
  // was stopped. A shown column's records list is rebuilt here.
  virtual void UpdateDone(Column& /*column*/) {}
  // The counters changed: `status` for the status bar's "Waiting:" pane, `tooltip` for the
  // tray icon ("Updating: U In queue: W\n Unread Enrties - N").
  virtual void ShowQueueStatus(const std::string& /*status*/, const std::string& /*tooltip*/) {}
  // False spares the queue counting every column's unread records on each tick.
  virtual bool WantsQueueStatus() const { return true; }
  // The tray animation runs while the queue is not empty (from the first Enqueue until a tick
  // finds the queue empty); stopping it sets the tray icon back.
  virtual void SetAnimation(bool /*running*/) {}
  // A message box with an exclamation-mark icon and an OK button.
  virtual void ShowMessage(const std::string& /*caption*/, const std::string& /*text*/) {}
};

struct UpdateQueueHooks {
  // The connectivity test; empty means the queue's own HTTP::ConnectionWatch, which never waits
  // for the name look-up of an offline machine.
  std::function<bool()> is_connected;
  // Writes columns.dat; empty means no periodic save.
  std::function<void()> save_columns;
};

class UpdateQueue {
 public:
  static constexpr int kMaxRunning = 5;
  // The periodic save comes when the queue has stayed empty this long.
  static constexpr int64_t kSaveAfterEmptyMs = 100000;

  // observer may be null. The tree must outlive the queue.
  UpdateQueue(ColumnTree& tree, std::shared_ptr<const UpdateServices> services,
              UpdateQueueObserver* observer, UpdateQueueHooks hooks = {});
  UpdateQueue(const UpdateQueue&) = delete;
  UpdateQueue& operator=(const UpdateQueue&) = delete;

  // Appends an idle column to the queue (state queued); does nothing for a busy one.
  void Enqueue(const std::shared_ptr<Column>& column);

  // The queue tick: finished and stopped columns leave, waiting ones start while fewer than
  // kMaxRunning run (in arrival order), the counters are shown, and columns.dat is saved once
  // the queue has been empty for kSaveAfterEmptyMs. now_ms: any monotonic clock. Its cost
  // follows the columns that started, finished or were stopped since the last tick, not the
  // length of the queue (new counters also count the unread records of the whole tree).
  void Tick(int64_t now_ms);
  // Queues every idle column that is due at `now` (seconds since 1970), in tree order; nothing
  // in offline mode or while not connected.
  void DueCheck(int32_t now);
  // connected = the connectivity test.
  bool CheckConnection();
  // Once, after the stores are loaded: when connected, queues every column with interval 0
  // and "update on start" set.
  void StartupUpdate();

  // "Update Selected Columns" / "Update All Columns": the connectivity test, then Enqueue each
  // column; when not connected, the "Connection Error" message and nothing is queued.
  bool UpdateColumns(const std::vector<std::shared_ptr<Column>>& columns);
  bool UpdateAll() { return UpdateColumns(tree_.Columns()); }
  // "Stop Column Update": stops a busy column; it leaves the queue at the next tick.
  void StopColumn(const std::shared_ptr<Column>& column);
  // "Stop Update" on a selection: stops each busy column and takes it out of the queue.
  void StopColumns(const std::vector<std::shared_ptr<Column>>& columns);
  // "Stop All Updates": stops every busy column of the queue and empties it.
  void StopAll();

  bool offline() const { return offline_; }
  void SetOffline(bool offline) { offline_ = offline; }
  void ToggleOffline() { offline_ = !offline_; }
  bool connected() const { return connected_; }

  bool empty() const { return members_.empty(); }
  size_t size() const { return members_.size(); }
  // Queued columns whose state is updating.
  int RunningCount() const;
  // The unread records of all columns, from their kept counts.
  int32_t UnreadTotal() const;
  bool Contains(const Column& column) const { return members_.contains(&column); }
  // The queued columns in arrival order (a copy: for tests and diagnostics).
  std::vector<std::shared_ptr<Column>> columns() const;

 private:
  struct Member {
    std::shared_ptr<Column> column;
    uint64_t arrival = 0;
  };
  // A column the queue started, with the cache file name its URL gave at the start.
  struct Started {
    std::shared_ptr<Column> column;
    std::string cache_name;
  };

  void ShowSettled();
  int RemoveFinished();
  void StartWaiting(int running);
  bool StartColumn(const std::shared_ptr<Column>& column);
  bool SharesCacheWithRunning(const Column& column) const;
  void ShowCounters();
  void PeriodicSave(int64_t now_ms);
  void Remove(const Column& column);

  ColumnTree& tree_;
  std::shared_ptr<const UpdateServices> services_;
  UpdateQueueObserver* observer_;
  UpdateQueueHooks hooks_;
  // The queue's driver is the window thread, which must never wait for the network.
  HTTP::ConnectionWatch connection_watch_;
  // Every queued column, whatever its state. A tick looks only at the columns that can have
  // changed state since the last one: those started (a worker finishes them) and those
  // stopped; the waiting ones start from the front of `waiting_`.
  std::unordered_map<const Column*, Member> members_;
  std::map<uint64_t, std::shared_ptr<Column>> waiting_;  // state queued, by arrival
  std::vector<Started> started_;                         // at most kMaxRunning and a few
  std::vector<std::shared_ptr<Column>> stopped_;         // stopped since the last tick
  std::vector<std::shared_ptr<Column>> settling_;        // stopped out of the queue, still merging
  uint64_t next_arrival_ = 0;
  bool offline_ = false;
  bool connected_ = false;
  bool animating_ = false;
  int shown_running_ = 0;
  int shown_waiting_ = 0;
  std::optional<int64_t> empty_since_ms_;  // when the queue was last seen empty without a save
};

}  // namespace tarsel
