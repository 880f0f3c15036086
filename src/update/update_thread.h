#pragma once

// The worker that updates one column: download, merge, notifications, result.
//
// UpdateThread is one run. ColumnUpdater is what a column carries (Column::SetUpdateThread):
// it makes an UpdateThread for each update and, when the update is stopped, hands the run off
// instead of waiting for it.
//
// Who writes the column. A run writes its column only at two points, each under the column's
// lock: the merge (the validators, a moved URL, the channel and records) and the end (the
// result, through Column::UpdateFinished). Stopping never waits for a merge: it flags the run,
// and a run flagged before its merge drops what it downloaded. A run flagged during its merge
// finishes that merge, then leaves the column idle itself (as StopUpdate would have); until
// then the column stays busy, so the window reads it only under its lock. The end is a few
// stores, and stopping waits for those, so a stopped run never marks its column finished. The
// download itself works on a private copy of the request fields. The notifications go out
// between the two points, without the column's lock, from a plan read under it; a stopped run
// skips the ones not yet given.
//
// Lock order: the finish mutex, then column.lock. Whoever stops a column must not hold its lock.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "net/download/download_stopper.h"
#include "store/column.h"
#include "update/update_notifications.h"
#include "update/update_services.h"
#include "update/worker_thread.h"

namespace tarsel {

class UpdateThread final : public WorkerThread {
 public:
  UpdateThread(std::shared_ptr<Column> owner, std::shared_ptr<const UpdateServices> services);
  ~UpdateThread() override;

  // Any thread but the run's own: ends the download at once and makes sure the run leaves its
  // column alone from now on, without waiting for a merge. True when a merge was under way:
  // the run then finishes it and idles the column itself (see above).
  bool Abandon();
  // Abandon, then wait for the thread.
  void Stop() override;
  // True while a run abandoned during its merge still writes its column.
  bool StillMerging() const { return phase_.load() == Phase::kAbandonedMerging; }

 protected:
  int Run() override;

 private:
  struct DownloadOutcome {
    bool got_new_content = false;
    int32_t failure = 0;      // 0 when the download went well
    bool lost_cache = false;  // the body could not be stored
    int http_status = 0;
    std::optional<std::string> cache_text;  // the text stored, when known, for the merge
  };

  DownloadOutcome Download(Column& request, const Settings& settings);
  int32_t MergeOrClear(Column& owner, const DownloadOutcome& outcome, const Settings& settings);

  // Working -> Merging -> Working by the run. Abandon turns Working into Abandoned and
  // Merging into AbandonedMerging; the run turns AbandonedMerging into LeftColumn once it has
  // finished its merge and idled the column.
  enum class Phase { kWorking, kMerging, kAbandoned, kAbandonedMerging, kLeftColumn };

  std::optional<int32_t> Commit(Column& owner, const Column& request, DownloadOutcome& outcome,
                                const Settings& settings, std::optional<UpdateNotice>& notice);
  bool Finish(Column& owner, int32_t status);

  std::shared_ptr<Column> owner_;  // taken by Run, so no cycle column -> updater -> run remains
  std::shared_ptr<const UpdateServices> services_;
  DownloadStopper stopper_;
  std::atomic<Phase> phase_{Phase::kWorking};
  std::mutex finish_mutex_;  // held by the run while it stores its result
};

class ColumnUpdater final : public ColumnUpdateThread {
 public:
  explicit ColumnUpdater(std::shared_ptr<const UpdateServices> services);
  // Hands a running update off (it ends on its own and leaves the column alone).
  ~ColumnUpdater() override;

  // Main thread. The earlier run, which has finished by now, is joined first.
  bool Start(const std::shared_ptr<Column>& owner) override;
  // Main thread: abandons the run and hands its thread off without waiting for it. True when
  // the run is still merging; it then idles the column itself.
  bool Stop() override;
  // The run raised the notifications itself just before; nothing is left to do.
  void Finished(Column& owner, int32_t status) override;

 private:
  std::shared_ptr<const UpdateServices> services_;
  std::shared_ptr<UpdateThread> run_;
  std::shared_ptr<UpdateThread> merging_run_;  // stopped during its merge, which it finishes
};

}  // namespace tarsel
