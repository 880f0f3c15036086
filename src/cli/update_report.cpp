#include "cli/update_report.h"

#include <unistd.h>

#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli/console.h"
#include "cli/failure_text.h"
#include "cli/json_output.h"
#include "cli/terminal_text.h"
#include "net/download/failure_code.h"

namespace tarsel::cli {

ConsoleReport::ConsoleReport(const ColumnStoreSession& session, UpdateRecord& record,
                             const ReportOptions& options, size_t total)
    : session_(session),
      record_(record),
      options_(options),
      total_(total),
      progress_(!options.quiet && isatty(STDERR_FILENO) != 0),
      colours_(ColoursFor(stdout)) {}

void ConsoleReport::UpdateDone(Column& column) {
  std::lock_guard<std::mutex> lock(mutex_);
  const int32_t failure = column.last_result.load();
  const bool failed = failure != kFailureNone && failure != kFailureFeedDiscovered;
  ++done_;
  if (running_ > 0) --running_;  // until the next tick counts again
  new_records_ += static_cast<size_t>(column.NewCount());
  if (failed) ++failed_;
  if (failure == kFailureFeedDiscovered) ++discovered_;
  record_.Note(column, session_.ToUtf8(column.url));
  if (options_.quiet && !failed) return;
  ClearProgress();
  Out(ResultLine(column), true);
  ShowProgress();
}

void ConsoleReport::ShowNotice(const std::string& text) {
  if (!options_.notices) return;
  std::lock_guard<std::mutex> lock(mutex_);
  ClearProgress();
  std::fputs(TerminalText(session_.ToUtf8(text), LineBreaks::kKeep).c_str(), stderr);
  ShowProgress();
}

void ConsoleReport::SetRunning(int running) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (running == running_) return;
  running_ = running;
  ShowProgress();
}

void ConsoleReport::Start() {
  std::lock_guard<std::mutex> lock(mutex_);
  ShowProgress();
}

void ConsoleReport::Finish() {
  std::lock_guard<std::mutex> lock(mutex_);
  ClearProgress();
  if (options_.quiet) return;
  std::string summary = "Updated " + std::to_string(done_) + " of " + std::to_string(total_) +
                        " columns: " + std::to_string(done_ - failed_) + " OK, " +
                        std::to_string(failed_) + " failed, " + std::to_string(new_records_) +
                        " new records";
  if (discovered_ > 0) summary += ", " + std::to_string(discovered_) + " feed links discovered";
  std::fprintf(stderr, "%s\n", summary.c_str());
}

std::string ConsoleReport::ResultLine(const Column& column) const {
  const int32_t failure = column.last_result.load();
  const int32_t http_status = column.last_http_status.load();
  const std::string message = FailureText(failure);
  const std::string name = session_.ToUtf8(column.DisplayName());
  if (options_.json) {
    nlohmann::ordered_json line;
    line["id"] = column.id;
    line["name"] = name;
    line["url"] = session_.ToUtf8(column.url);
    line["new"] = column.NewCount();
    line["failure"] = failure;
    line["message"] = message;
    line["detail"] = FailureDetail(failure, http_status);
    line["http_status"] = http_status;
    return JsonText(line, -1) + "\n";
  }
  std::string status = Coloured("OK", Colour::kGreen, colours_);
  if (failure == kFailureFeedDiscovered) {
    status = Coloured("feed link discovered, now " + TerminalText(session_.ToUtf8(column.url)),
                      Colour::kYellow, colours_);
  } else if (failure != kFailureNone) {
    status = Coloured(message, Colour::kRed, colours_);
  }
  return TerminalText(name) + ": " + std::to_string(column.NewCount()) + " new records, " + status +
         "\n";
}

void ConsoleReport::ShowProgress() {
  if (!progress_ || done_ >= total_) return;
  std::fprintf(stderr, "\r\033[KUpdating: %zu/%zu done, %d running", done_, total_, running_);
  std::fflush(stderr);
}

void ConsoleReport::ClearProgress() {
  if (!progress_) return;
  std::fputs("\r\033[K", stderr);
  std::fflush(stderr);
}

}  // namespace tarsel::cli
