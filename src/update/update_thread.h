#pragma once

// The worker that updates one column: download, merge, notifications, result.
//
// UpdateThread is one run. ColumnUpdater is what a column carries (Column::SetUpdateThread):
// it makes an UpdateThread for each update and, when the update is stopped, hands the run off
// instead of waiting for it.
//
// Who writes the column. A run writes its column only at two points, each under the run's own
// commit mutex and the column's lock: after the download (the validators, a moved URL, the
// merge) and at the end (the result, through Column::UpdateFinished). Stopping takes the commit
// mutex too, so it waits at most for a merge in progress, and from then on the run never
// touches the column again: a stopped run cannot write into a column that was restarted
// meanwhile. The download itself works on a private copy of the request fields. The
// notifications go out between the two points, without the column's lock, from a plan read
// under it; a stopped run skips the ones not yet given.
//
// Lock order: commit mutex, then column.lock. Whoever stops a column must not hold its lock.

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "net/download/download_stopper.h"
#include "store/column.h"
#include "update/update_services.h"
#include "update/worker_thread.h"

namespace tarsel {

class UpdateThread final : public WorkerThread {
 public:
  UpdateThread(std::shared_ptr<Column> owner, std::shared_ptr<const UpdateServices> services);
  ~UpdateThread() override;

  // Any thread but the run's own: ends the download at once and makes sure the run never
  // writes its column from now on. Waits only while the run is writing the column.
  void Abandon();
  // Abandon, then wait for the thread.
  void Stop() override;

 protected:
  int Run() override;

 private:
  bool Download(Column& request, int32_t& failure, bool& lost_cache, int& http_status,
                std::optional<std::string>& cache_text);
  int32_t MergeOrClear(Column& owner, bool got_new_content,
                       const std::optional<std::string>& cache_text);

  std::shared_ptr<Column> owner_;  // taken by Run, so no cycle column -> updater -> run remains
  std::shared_ptr<const UpdateServices> services_;
  DownloadStopper stopper_;
  std::mutex commit_mutex_;
  bool abandoned_ = false;  // guarded by commit_mutex_
};

class ColumnUpdater final : public ColumnUpdateThread {
 public:
  explicit ColumnUpdater(std::shared_ptr<const UpdateServices> services);
  // Hands a running update off (it ends on its own and leaves the column alone).
  ~ColumnUpdater() override;

  // Main thread. The earlier run, which has finished by now, is joined first.
  bool Start(const std::shared_ptr<Column>& owner) override;
  // Main thread: abandons the run and hands its thread off without waiting for it.
  void Stop() override;
  // The run raised the notifications itself just before; nothing is left to do.
  void Finished(Column& owner, int32_t status) override;

 private:
  std::shared_ptr<const UpdateServices> services_;
  std::shared_ptr<UpdateThread> run_;
};

}  // namespace tarsel
