#include "update/update_thread.h"

#include <optional>
#include <utility>

#include "net/download/download_column.h"
#include "net/download/failure_code.h"
#include "net/http/http_exception.h"
#include "settings/settings.h"
#include "update/merge_records.h"
#include "update/update_notifications.h"
#include "update/update_options.h"

namespace tarsel {
namespace {

// The fields a download reads and writes, copied from the column under its lock.
void CopyRequest(const Column& from, Column& to) {
  to.id = from.id;
  to.url = from.url;
  to.login = from.login;
  to.password = from.password;
  to.etag = from.etag;
  to.last_modified = from.last_modified;
  to.charset_converted = from.charset_converted;
}

// What the download changed: the URL after a permanent redirect (also when it then failed);
// the validators after a stored body, and after a body that could not be stored (the download
// cleared them); the conversion flag after a stored body.
void CopyDownloadResult(const Column& request, bool got_new_content, bool lost_cache,
                        Column& owner) {
  if (request.url != owner.url) owner.url = request.url;
  if (got_new_content || lost_cache) {
    owner.etag = request.etag;
    owner.last_modified = request.last_modified;
  }
  if (got_new_content) owner.charset_converted = request.charset_converted;
}

}  // namespace

UpdateThread::UpdateThread(std::shared_ptr<Column> owner,
                           std::shared_ptr<const UpdateServices> services)
    : owner_(std::move(owner)), services_(std::move(services)) {}

UpdateThread::~UpdateThread() {
  Stop();
}

bool UpdateThread::Abandon() {
  RequestStop();
  stopper_.Stop();
  Phase seen = phase_.load();
  for (;;) {
    const Phase next = seen == Phase::kWorking   ? Phase::kAbandoned
                       : seen == Phase::kMerging ? Phase::kAbandonedMerging
                                                 : seen;
    if (next == seen || phase_.compare_exchange_weak(seen, next)) break;
  }
  // Storing the result is a few stores: waiting for them is not waiting for a merge, and
  // afterwards a stopped run can no longer mark its column finished.
  { std::lock_guard<std::mutex> finish(finish_mutex_); }
  return seen == Phase::kMerging || seen == Phase::kAbandonedMerging;
}

void UpdateThread::Stop() {
  Abandon();
  WorkerThread::Stop();
}

UpdateThread::DownloadOutcome UpdateThread::Download(Column& request, const Settings& settings) {
  DownloadOutcome outcome;
  try {
    if (services_->download) {
      outcome.got_new_content = services_->download(request, &stopper_);
      return outcome;
    }
    std::string text;
    outcome.got_new_content = DownloadColumn(request, DownloadOptionsForSettings(settings),
                                             &stopper_, &outcome.http_status, &text);
    if (outcome.got_new_content) outcome.cache_text = std::move(text);
  } catch (const HTTP::CHttpExeption& error) {
    outcome.failure = FailureCodeForHttpError(error.Code());
    outcome.lost_cache = error.Code() == kErrorCacheFile;
  } catch (...) {
    outcome.failure = kFailureUpdate;
  }
  return outcome;
}

int32_t UpdateThread::MergeOrClear(Column& owner, const DownloadOutcome& outcome,
                                   const Settings& settings) {
  try {
    if (outcome.got_new_content) {
      const MergeOptions options = MergeOptionsForSettings(settings);
      return outcome.cache_text ? MergeRecords(owner, *outcome.cache_text, options)
                                : MergeRecords(owner, options);
    }
    ClearNewFlags(owner);
    return kFailureNone;
  } catch (...) {
    // The records stay as they were; the new validators would earn a 304 next time and the
    // body would not be merged until the feed changed again.
    owner.etag.clear();
    owner.last_modified.clear();
    return kFailureUpdate;
  }
}

// The first write: what the download changed, and the merge. Empty when the run was abandoned
// before it (what was downloaded is dropped) or during it (the merge is finished, and the
// column left idle as a stop leaves it).
std::optional<int32_t> UpdateThread::Commit(Column& owner, const Column& request,
                                            DownloadOutcome& outcome, const Settings& settings,
                                            std::optional<UpdateNotice>& notice) {
  std::unique_lock<std::mutex> lock(owner.lock);
  Phase expected = Phase::kWorking;
  if (!phase_.compare_exchange_strong(expected, Phase::kMerging)) return std::nullopt;
  CopyDownloadResult(request, outcome.got_new_content, outcome.lost_cache, owner);
  owner.last_http_status = outcome.http_status;
  int32_t status = outcome.failure;
  if (status == 0) {
    status = MergeOrClear(owner, outcome, settings);
    outcome.cache_text.reset();
    if (status == kFailureNone) notice = PlanUpdateNotice(owner, settings, services_->smtp_port);
  }
  expected = Phase::kMerging;
  if (phase_.compare_exchange_strong(expected, Phase::kWorking)) return status;
  lock.unlock();
  owner.last_result = 0;
  owner.last_update_time = NowSeconds();
  owner.update_state = kUpdateIdle;
  phase_ = Phase::kLeftColumn;
  return std::nullopt;
}

// The second write: the result. False when the run was abandoned first.
bool UpdateThread::Finish(Column& owner, int32_t status) {
  std::lock_guard<std::mutex> finish(finish_mutex_);
  if (phase_.load() != Phase::kWorking) return false;
  std::lock_guard<std::mutex> lock(owner.lock);
  owner.UpdateFinished(status);
  return true;
}

int UpdateThread::Run() {
  const std::shared_ptr<Column> owner = std::move(owner_);
  // One snapshot for the whole task: the download, the merge and the notice agree.
  const std::shared_ptr<const Settings> settings = TaskSettings(*services_);
  Column request;
  {
    std::lock_guard<std::mutex> lock(owner->lock);
    CopyRequest(*owner, request);
  }
  DownloadOutcome outcome = Download(request, *settings);
  if (StopRequested()) return -1;

  std::optional<UpdateNotice> notice;
  const std::optional<int32_t> status = Commit(*owner, request, outcome, *settings, notice);
  if (!status) return -1;
  if (notice) DeliverUpdateNotice(*notice, *services_, [this] { return StopRequested(); });
  if (!Finish(*owner, *status)) return -1;
  if (services_->update_finished) services_->update_finished();
  return outcome.failure == 0 ? 0 : -1;
}

ColumnUpdater::ColumnUpdater(std::shared_ptr<const UpdateServices> services)
    : services_(std::move(services)) {}

ColumnUpdater::~ColumnUpdater() {
  ColumnUpdater::Stop();
}

bool ColumnUpdater::Start(const std::shared_ptr<Column>& owner) {
  if (run_) run_->Stop();
  merging_run_.reset();
  run_ = std::make_shared<UpdateThread>(owner, services_);
  if (run_->Start(run_)) return true;
  run_.reset();
  return false;
}

bool ColumnUpdater::Stop() {
  if (!run_) return merging_run_ && merging_run_->StillMerging();
  const bool merging = run_->Abandon();
  run_->HandOff();
  merging_run_ = merging ? std::move(run_) : nullptr;
  run_.reset();
  return merging;
}

void ColumnUpdater::Finished(Column&, int32_t) {}

}  // namespace tarsel
