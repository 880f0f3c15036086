#include "update/update_queue.h"

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "net/download/cache_file_path.h"
#include "net/http/network_connection.h"
#include "update/update_thread.h"

namespace tarsel {
namespace {

bool IsIdle(const Column& column) {
  return column.update_state.load() == kUpdateIdle;
}

}  // namespace

UpdateQueue::UpdateQueue(ColumnTree& tree, std::shared_ptr<const UpdateServices> services,
                         UpdateQueueObserver* observer, UpdateQueueHooks hooks)
    : tree_(tree),
      services_(services ? std::move(services) : std::make_shared<const UpdateServices>()),
      observer_(observer),
      hooks_(std::move(hooks)) {}

void UpdateQueue::Enqueue(const std::shared_ptr<Column>& column) {
  if (!column || !IsIdle(*column)) return;
  // A column stopped while queued stays listed until the next tick; queuing it again must not
  // list it twice, or it would count twice among the running.
  if (!Contains(*column)) queue_.push_back(column);
  column->update_state = kUpdateQueued;
  if (!animating_) {
    animating_ = true;
    if (observer_) observer_->SetAnimation(true);
  }
  if (observer_) observer_->RefreshColumn(*column);
}

void UpdateQueue::Tick(int64_t now_ms) {
  const int running = RemoveFinished();
  if (running < kMaxRunning) StartWaiting(running);
  if (queue_.empty() && animating_) {
    animating_ = false;
    if (observer_) observer_->SetAnimation(false);
  }
  ShowCounters();
  PeriodicSave(now_ms);
}

// Step one of a tick: finished and idle columns leave; returns how many are updating.
int UpdateQueue::RemoveFinished() {
  int running = 0;
  std::vector<std::shared_ptr<Column>> kept;
  kept.reserve(queue_.size());
  for (const auto& column : queue_) {
    const int32_t state = column->update_state.load();
    if (state == kUpdateFinished || state == kUpdateIdle) {
      // The worker is done with the column: ending its thread now frees the thread's stack,
      // which a finished but unjoined thread keeps until the column's next update.
      if (state == kUpdateFinished && column->update_thread()) column->update_thread()->Stop();
      column->update_state = kUpdateIdle;
      running_cache_names_.erase(column.get());
      if (observer_) {
        observer_->RefreshColumn(*column);
        observer_->UpdateDone(*column);
      }
      continue;
    }
    if (state == kUpdateRunning) ++running;
    kept.push_back(column);
  }
  queue_.swap(kept);
  return running;
}

void UpdateQueue::StartWaiting(int running) {
  for (const auto& column : queue_) {
    if (running >= kMaxRunning) break;
    if (column->update_state.load() != kUpdateQueued) continue;
    // Two columns whose URLs give one cache file must not update at the same time: the second
    // could merge the first one's download.
    if (SharesCacheWithRunning(*column)) continue;
    if (StartColumn(column)) ++running;
  }
}

// True when the column is updating afterwards; a column whose thread could not start has
// finished at once with "Error during update" and leaves at the next tick.
bool UpdateQueue::StartColumn(const std::shared_ptr<Column>& column) {
  if (column->update_thread() == nullptr) {
    column->SetUpdateThread(std::make_unique<ColumnUpdater>(services_));
  }
  // Read before the worker runs: afterwards the URL may only be read under the column's lock,
  // which a merging worker holds.
  std::string cache_name = CacheFileName(column->url);
  column->StartUpdate();
  if (observer_) observer_->RefreshColumn(*column);
  if (column->update_state.load() != kUpdateRunning) return false;
  running_cache_names_[column.get()] = std::move(cache_name);
  return true;
}

// `column` is waiting, so no worker writes its URL.
bool UpdateQueue::SharesCacheWithRunning(const Column& column) const {
  std::string name;
  for (const auto& other : queue_) {
    if (other.get() == &column || other->update_state.load() != kUpdateRunning) continue;
    const auto found = running_cache_names_.find(other.get());
    if (found == running_cache_names_.end()) continue;
    if (name.empty()) name = CacheFileName(column.url);
    if (found->second == name) return true;
  }
  return false;
}

int UpdateQueue::RunningCount() const {
  return static_cast<int>(std::count_if(queue_.begin(), queue_.end(), [](const auto& column) {
    return column->update_state.load() == kUpdateRunning;
  }));
}

void UpdateQueue::ShowCounters() {
  const int running = RunningCount();
  const int waiting = static_cast<int>(queue_.size()) - running;
  if (running == shown_running_ && waiting == shown_waiting_) return;
  shown_running_ = running;
  shown_waiting_ = waiting;
  if (!observer_ || !observer_->WantsQueueStatus()) return;
  char status[64];
  std::snprintf(status, sizeof(status), "Updating: %d In queue: %d", running, waiting);
  char unread[48];
  std::snprintf(unread, sizeof(unread), "\n Unread Enrties - %d", static_cast<int>(UnreadTotal()));
  observer_->ShowQueueStatus(status, std::string(status) + unread);
}

// Only an updating column's records can change under us. Its worker holds the lock through a
// merge, and the window thread must not wait for that: the count seen last time stands in.
int32_t UpdateQueue::UnreadTotal() {
  std::unordered_map<const Column*, int32_t> seen;
  int32_t total = 0;
  for (const auto& column : tree_.Columns()) {
    int32_t count = 0;
    if (column->update_state.load() != kUpdateRunning) {
      count = column->UnreadCount();
    } else if (std::unique_lock<std::mutex> lock(column->lock, std::try_to_lock);
               lock.owns_lock()) {
      count = column->UnreadCount();
    } else if (const auto found = unread_seen_.find(column.get()); found != unread_seen_.end()) {
      count = found->second;
    }
    seen[column.get()] = count;
    total += count;
  }
  unread_seen_.swap(seen);
  return total;
}

// The first save comes kSaveAfterEmptyMs after the queue was found empty, then one every
// kSaveAfterEmptyMs while it stays empty; no worker runs meanwhile.
void UpdateQueue::PeriodicSave(int64_t now_ms) {
  if (!queue_.empty()) {
    empty_since_ms_.reset();
    return;
  }
  if (!empty_since_ms_) {
    empty_since_ms_ = now_ms;
    return;
  }
  if (now_ms - *empty_since_ms_ <= kSaveAfterEmptyMs) return;
  if (hooks_.save_columns) hooks_.save_columns();
  empty_since_ms_ = now_ms;
}

void UpdateQueue::DueCheck(int32_t now) {
  for (const auto& column : tree_.Columns()) {
    if (offline_ || !connected_) return;
    if (IsIdle(*column) && column->IsDue(now)) Enqueue(column);
  }
}

bool UpdateQueue::CheckConnection() {
  connected_ = hooks_.is_connected ? hooks_.is_connected() : HTTP::HasNetworkConnection();
  return connected_;
}

void UpdateQueue::StartupUpdate() {
  if (!CheckConnection()) return;
  for (const auto& column : tree_.Columns()) {
    if (column->update_interval == 0 && column->update_on_start) Enqueue(column);
  }
}

bool UpdateQueue::UpdateColumns(const std::vector<std::shared_ptr<Column>>& columns) {
  if (!CheckConnection()) {
    if (observer_) observer_->ShowMessage(kNotConnectedCaption, kNotConnectedText);
    return false;
  }
  for (const auto& column : columns) Enqueue(column);
  return true;
}

void UpdateQueue::StopColumn(const std::shared_ptr<Column>& column) {
  if (!column || IsIdle(*column)) return;
  column->StopUpdate();
  if (observer_) observer_->RefreshColumn(*column);
}

void UpdateQueue::StopColumns(const std::vector<std::shared_ptr<Column>>& columns) {
  for (const auto& column : columns) {
    if (!column || IsIdle(*column)) continue;
    column->StopUpdate();
    Remove(*column);
    if (observer_) observer_->RefreshColumn(*column);
  }
}

void UpdateQueue::StopAll() {
  std::vector<std::shared_ptr<Column>> stopped;
  for (const auto& column : queue_) {
    if (IsIdle(*column)) continue;
    column->StopUpdate();
    stopped.push_back(column);
  }
  queue_.clear();
  running_cache_names_.clear();
  if (!observer_) return;
  for (const auto& column : stopped) observer_->RefreshColumn(*column);
}

bool UpdateQueue::Contains(const Column& column) const {
  return std::any_of(queue_.begin(), queue_.end(),
                     [&column](const auto& queued) { return queued.get() == &column; });
}

void UpdateQueue::Remove(const Column& column) {
  running_cache_names_.erase(&column);
  std::erase_if(queue_, [&column](const auto& queued) { return queued.get() == &column; });
}

}  // namespace tarsel
