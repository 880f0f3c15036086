#pragma once

// What `tarsel-cli update` tells while it runs: one status line per column on stdout (text or
// JSON), on a terminal a progress line on stderr that rewrites itself ("Updating: 37/200
// done, 5 running") and a summary at the end; the pop-up notice's text on stderr when asked.
// Feed text is made terminal-safe.
//
// Threads: workers call ShowNotice; everything else runs on the main thread at the queue's
// ticks. A mutex serialises the two.

#include <cstddef>
#include <mutex>
#include <string>

#include "cli/column_store_session.h"
#include "cli/update_record.h"
#include "update/update_queue.h"
#include "update/update_services.h"

namespace tarsel::cli {

struct ReportOptions {
  bool json = false;
  bool quiet = false;
  bool notices = false;  // the notice text goes to stderr
};

class ConsoleReport final : public UpdateQueueObserver, public NoticeSink {
 public:
  // `total`: how many columns the run updates. Each finished column is noted in `record`.
  ConsoleReport(const ColumnStoreSession& session, UpdateRecord& record,
                const ReportOptions& options, size_t total);

  bool WantsQueueStatus() const override { return false; }
  void UpdateDone(Column& column) override;
  void ShowNotice(const std::string& text) override;

  // How many columns the queue runs now (after a tick).
  void SetRunning(int running);
  void Start();
  // Clears the progress line and prints the summary (not with --quiet).
  void Finish();
  // Failed columns; a discovered feed link is no failure.
  size_t failed() const { return failed_; }
  size_t done() const { return done_; }

 private:
  std::string ResultLine(const Column& column) const;
  void ShowProgress();
  void ClearProgress();

  const ColumnStoreSession& session_;
  UpdateRecord& record_;
  const ReportOptions options_;
  const size_t total_;
  const bool progress_;
  const bool colours_;
  std::mutex mutex_;
  size_t done_ = 0;
  size_t failed_ = 0;
  size_t discovered_ = 0;
  size_t new_records_ = 0;
  int running_ = 0;
};

}  // namespace tarsel::cli
