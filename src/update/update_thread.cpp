#include "update/update_thread.h"

#include <optional>
#include <utility>

#include "net/download/download_column.h"
#include "net/download/failure_code.h"
#include "net/http/http_exception.h"
#include "settings/settings.h"
#include "update/merge_records.h"
#include "update/update_notifications.h"

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

void UpdateThread::Abandon() {
  RequestStop();
  stopper_.Stop();
  std::lock_guard<std::mutex> commit(commit_mutex_);
  abandoned_ = true;
}

void UpdateThread::Stop() {
  Abandon();
  WorkerThread::Stop();
}

// A failed download gives its status in `failure` (0 when it went well); `lost_cache` tells
// that the body could not be stored. `cache_text` receives the text stored, when known, for
// the merge.
bool UpdateThread::Download(Column& request, int32_t& failure, bool& lost_cache, int& http_status,
                            std::optional<std::string>& cache_text) {
  failure = 0;
  lost_cache = false;
  http_status = 0;
  try {
    if (services_->download) return services_->download(request, &stopper_);
    std::string text;
    const bool stored = DownloadColumn(request, &stopper_, &http_status, &text);
    if (stored) cache_text = std::move(text);
    return stored;
  } catch (const HTTP::CHttpExeption& error) {
    failure = FailureCodeForHttpError(error.Code());
    lost_cache = error.Code() == kErrorCacheFile;
  } catch (...) {
    failure = kFailureUpdate;
  }
  return false;
}

int32_t UpdateThread::MergeOrClear(Column& owner, bool got_new_content,
                                   const std::optional<std::string>& cache_text) {
  try {
    if (got_new_content) return cache_text ? MergeRecords(owner, *cache_text) : MergeRecords(owner);
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

int UpdateThread::Run() {
  const std::shared_ptr<Column> owner = std::move(owner_);
  Column request;
  {
    std::lock_guard<std::mutex> lock(owner->lock);
    CopyRequest(*owner, request);
  }
  int32_t failure = 0;
  bool lost_cache = false;
  int http_status = 0;
  std::optional<std::string> cache_text;
  const bool got_new_content = Download(request, failure, lost_cache, http_status, cache_text);
  if (StopRequested()) return -1;

  int32_t status = failure;
  std::optional<UpdateNotice> notice;
  {
    std::lock_guard<std::mutex> commit(commit_mutex_);
    if (abandoned_) return -1;
    std::lock_guard<std::mutex> lock(owner->lock);
    CopyDownloadResult(request, got_new_content, lost_cache, *owner);
    owner->last_http_status = http_status;
    if (failure == 0) {
      status = MergeOrClear(*owner, got_new_content, cache_text);
      cache_text.reset();
      if (status == kFailureNone) {
        notice = PlanUpdateNotice(*owner, *CurrentSettings(), services_->smtp_port);
      }
    }
  }
  if (notice) DeliverUpdateNotice(*notice, *services_, [this] { return StopRequested(); });
  {
    std::lock_guard<std::mutex> commit(commit_mutex_);
    if (abandoned_) return -1;
    std::lock_guard<std::mutex> lock(owner->lock);
    owner->UpdateFinished(status);
  }
  if (services_->update_finished) services_->update_finished();
  return failure == 0 ? 0 : -1;
}

ColumnUpdater::ColumnUpdater(std::shared_ptr<const UpdateServices> services)
    : services_(std::move(services)) {}

ColumnUpdater::~ColumnUpdater() {
  ColumnUpdater::Stop();
}

bool ColumnUpdater::Start(const std::shared_ptr<Column>& owner) {
  if (run_) run_->Stop();
  run_ = std::make_shared<UpdateThread>(owner, services_);
  if (run_->Start(run_)) return true;
  run_.reset();
  return false;
}

void ColumnUpdater::Stop() {
  if (!run_) return;
  run_->Abandon();
  run_->HandOff();
  run_.reset();
}

void ColumnUpdater::Finished(Column&, int32_t) {}

}  // namespace tarsel
