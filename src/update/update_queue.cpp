#include "update/update_queue.h"

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "net/download/cache_file_path.h"
#include "settings/settings.h"
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
  // A column stopped while queued stays listed until the next tick; queued again, it keeps its
  // place and is listed once, or it would count twice among the running.
  const auto [found, added] = members_.try_emplace(column.get(), Member{column, next_arrival_});
  if (added) ++next_arrival_;
  waiting_.emplace(found->second.arrival, column);
  column->update_state = kUpdateQueued;
  if (!animating_) {
    animating_ = true;
    if (observer_) observer_->SetAnimation(true);
  }
  if (observer_) observer_->RefreshColumn(*column);
}

void UpdateQueue::Tick(int64_t now_ms) {
  ShowSettled();
  const int running = RemoveFinished();
  if (running < kMaxRunning) StartWaiting(running);
  if (members_.empty() && animating_) {
    animating_ = false;
    if (observer_) observer_->SetAnimation(false);
  }
  ShowCounters();
  PeriodicSave(now_ms);
}

// Step one of a tick: finished and idle columns leave, in arrival order; returns how many are
// updating. Only started and stopped columns can have changed state since the last tick, and
// each state is read once: a worker may finish the column meanwhile, and the next tick sees it.
int UpdateQueue::RemoveFinished() {
  std::vector<std::pair<uint64_t, std::shared_ptr<Column>>> leaving;
  auto note_if_leaving = [&](const std::shared_ptr<Column>& column, int32_t state) {
    if (state != kUpdateFinished && state != kUpdateIdle) return;
    const auto found = members_.find(column.get());
    if (found != members_.end()) leaving.emplace_back(found->second.arrival, column);
  };
  std::vector<Started> still_running;
  for (Started& started : started_) {
    const int32_t state = started.column->update_state.load();
    // A column queued again after a stop waits in waiting_ already.
    if (state == kUpdateRunning) {
      still_running.push_back(std::move(started));
    } else {
      note_if_leaving(started.column, state);
    }
  }
  started_.swap(still_running);
  for (const auto& column : stopped_) note_if_leaving(column, column->update_state.load());
  stopped_.clear();

  std::sort(leaving.begin(), leaving.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  leaving.erase(std::unique(leaving.begin(), leaving.end()), leaving.end());
  for (const auto& [arrival, column] : leaving) {
    members_.erase(column.get());
    waiting_.erase(arrival);
    // The run is over: its thread is joined now, not at the column's next update, so that
    // finished columns hold no thread and no stack (an update of 5,000 columns held 5,000).
    if (ColumnUpdateThread* worker = column->update_thread()) worker->Stop();
    column->update_state = kUpdateIdle;
    if (observer_) {
      observer_->RefreshColumn(*column);
      observer_->UpdateDone(*column);
    }
  }
  return static_cast<int>(started_.size());
}

void UpdateQueue::StartWaiting(int running) {
  for (auto next = waiting_.begin(); next != waiting_.end() && running < kMaxRunning;) {
    const std::shared_ptr<Column> column = next->second;
    if (column->update_state.load() != kUpdateQueued) {
      // Stopped by someone else: it leaves at the next tick, as a stopped column does.
      stopped_.push_back(column);
      next = waiting_.erase(next);
      continue;
    }
    // Two columns whose URLs give one cache file must not update at the same time: the second
    // could merge the first one's download.
    if (SharesCacheWithRunning(*column)) {
      ++next;
      continue;
    }
    next = waiting_.erase(next);
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
  started_.push_back({column, std::move(cache_name)});
  if (observer_) observer_->RefreshColumn(*column);
  return column->update_state.load() == kUpdateRunning;
}

// `column` is waiting, so no worker writes its URL.
bool UpdateQueue::SharesCacheWithRunning(const Column& column) const {
  std::string name;
  for (const Started& other : started_) {
    if (other.column.get() == &column || other.column->update_state.load() != kUpdateRunning) {
      continue;
    }
    if (name.empty()) name = CacheFileName(column.url);
    if (other.cache_name == name) return true;
  }
  return false;
}

int UpdateQueue::RunningCount() const {
  return static_cast<int>(std::count_if(started_.begin(), started_.end(), [](const auto& started) {
    return started.column->update_state.load() == kUpdateRunning;
  }));
}

std::vector<std::shared_ptr<Column>> UpdateQueue::columns() const {
  std::vector<const Member*> listed;
  listed.reserve(members_.size());
  for (const auto& entry : members_) listed.push_back(&entry.second);
  std::sort(listed.begin(), listed.end(),
            [](const Member* a, const Member* b) { return a->arrival < b->arrival; });
  std::vector<std::shared_ptr<Column>> result;
  result.reserve(listed.size());
  for (const Member* member : listed) result.push_back(member->column);
  return result;
}

std::string QueueTooltip(const std::string& status, int32_t unread) {
  char line[48];
  std::snprintf(line, sizeof(line), "\n Unread Enrties - %d", static_cast<int>(unread));
  return status + line;
}

void UpdateQueue::ShowCounters() {
  const int running = RunningCount();
  const int waiting = static_cast<int>(members_.size()) - running;
  if (running == shown_running_ && waiting == shown_waiting_) return;
  shown_running_ = running;
  shown_waiting_ = waiting;
  if (!observer_ || !observer_->WantsQueueStatus()) return;
  char status[64];
  std::snprintf(status, sizeof(status), "Updating: %d In queue: %d", running, waiting);
  observer_->ShowQueueStatus(status, QueueTooltip(status, UnreadTotal()));
}

// The columns keep their counts as merges and marks change them: summing them reads no record
// and waits for no merging worker.
int32_t UpdateQueue::UnreadTotal() const {
  return tree_.root().UnreadCount();
}

// The first save comes kSaveAfterEmptyMs after the queue was found empty, then one every
// kSaveAfterEmptyMs while it stays empty; no worker runs meanwhile.
void UpdateQueue::PeriodicSave(int64_t now_ms) {
  if (!members_.empty()) {
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
  connected_ = hooks_.is_connected ? hooks_.is_connected()
                                   : connection_watch_.Check(TaskSettings(*services_)->proxy.type);
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
  if (const auto found = members_.find(column.get()); found != members_.end()) {
    waiting_.erase(found->second.arrival);
    stopped_.push_back(column);
  }
  if (observer_) observer_->RefreshColumn(*column);
}

void UpdateQueue::StopColumns(const std::vector<std::shared_ptr<Column>>& columns) {
  for (const auto& column : columns) {
    if (!column || IsIdle(*column)) continue;
    column->StopUpdate();
    if (!IsIdle(*column)) settling_.push_back(column);
    Remove(*column);
    if (observer_) observer_->RefreshColumn(*column);
  }
}

// A column stopped out of the queue while its worker was merging stays busy until the worker
// has finished the merge and idled it; then its line and its records are shown anew, unless it
// was deleted meanwhile (a column deleted with its group may point at the group no more).
void UpdateQueue::ShowSettled() {
  std::vector<std::shared_ptr<Column>> settled;
  std::erase_if(settling_, [&settled](const std::shared_ptr<Column>& column) {
    if (!IsIdle(*column)) return false;
    settled.push_back(column);
    return true;
  });
  if (settled.empty() || !observer_) return;
  const std::vector<std::shared_ptr<Column>> in_tree = tree_.Columns();
  for (const auto& column : settled) {
    if (std::find(in_tree.begin(), in_tree.end(), column) == in_tree.end()) continue;
    observer_->RefreshColumn(*column);
    observer_->UpdateDone(*column);
  }
}

void UpdateQueue::StopAll() {
  std::vector<std::shared_ptr<Column>> stopped;
  for (const auto& column : columns()) {
    if (IsIdle(*column)) continue;
    column->StopUpdate();
    if (!IsIdle(*column)) settling_.push_back(column);
    stopped.push_back(column);
  }
  members_.clear();
  waiting_.clear();
  started_.clear();
  stopped_.clear();
  if (!observer_) return;
  for (const auto& column : stopped) observer_->RefreshColumn(*column);
}

void UpdateQueue::Remove(const Column& column) {
  const auto found = members_.find(&column);
  if (found == members_.end()) return;
  waiting_.erase(found->second.arrival);
  std::erase_if(started_,
                [&column](const Started& started) { return started.column.get() == &column; });
  members_.erase(found);
}

}  // namespace tarsel
