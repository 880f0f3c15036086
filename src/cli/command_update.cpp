// tarsel-cli update: updates columns now, through the same queue and workers as the desktop
// program (at most five at a time), and reports each column as it finishes.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <unordered_set>
#include <vector>

#include "cli/cli_args.h"
#include "cli/column_store_session.h"
#include "cli/console.h"
#include "cli/failure_text.h"
#include "cli/json_output.h"
#include "cli/terminal_text.h"
#include "cli/update_record.h"
#include "net/download/failure_code.h"
#include "update/update_queue.h"
#include "update/worker_thread.h"

namespace tarsel::cli {
namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli update [ID...] [--json] [--quiet] [--notices]\n"
    "Updates the given columns (a group id: its columns; none: every column), five at a time,\n"
    "and prints one line per column as it finishes: its name, its new records and its status.\n"
    "On a terminal a progress line on stderr rewrites itself while the columns update; a\n"
    "summary ends the run. A web page whose feed link is discovered is news, not a failure.\n"
    "Exit status 1 when a column failed (the lines name the failures) or the run was\n"
    "interrupted.\n"
    "\n"
    "Options:\n"
    "  --json     one JSON object per column: id, name, url, new, failure (0: none),\n"
    "             message, http_status\n"
    "  --quiet    print only the columns that failed; no progress line, no summary\n"
    "  --notices  show the new-records notice text on stderr even when stdout is the same\n"
    "             terminal (otherwise shown only when stdout goes elsewhere)\n"
    "  --help     show this text\n";

// How long stopped workers get to end before the process leaves without them.
constexpr std::chrono::seconds kStopGrace{10};

// Wakes the main loop: a worker finished, or the user pressed Ctrl+C. Written from a signal
// handler, so only write(2) on a non-blocking pipe and a sig_atomic_t flag are used.
int g_wake_pipe[2] = {-1, -1};
volatile std::sig_atomic_t g_interrupted = 0;

void Wake() {
  const char byte = 1;
  [[maybe_unused]] const ssize_t ignored = write(g_wake_pipe[1], &byte, 1);
}

extern "C" void OnInterrupt(int) {
  g_interrupted = 1;
  Wake();
}

class WakePipe {
 public:
  WakePipe() {
    if (pipe2(g_wake_pipe, O_CLOEXEC | O_NONBLOCK) != 0) g_wake_pipe[0] = g_wake_pipe[1] = -1;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    action.sa_flags = SA_RESETHAND;  // a second Ctrl+C ends the program at once
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &old_int_);
    sigaction(SIGTERM, &action, &old_term_);
  }
  // The pipe stays open until the process ends: a worker may still be about to wake the loop,
  // and a closed descriptor number could meanwhile belong to a file being saved.
  ~WakePipe() {
    sigaction(SIGINT, &old_int_, nullptr);
    sigaction(SIGTERM, &old_term_, nullptr);
  }
  bool ok() const { return g_wake_pipe[0] >= 0; }
  // Waits for a wake-up (at most `timeout_ms`) and drains the pipe.
  void Wait(int timeout_ms) const {
    pollfd entry{g_wake_pipe[0], POLLIN, 0};
    if (poll(&entry, 1, timeout_ms) <= 0) return;
    char buffer[64];
    while (read(g_wake_pipe[0], buffer, sizeof(buffer)) > 0) {
    }
  }

 private:
  struct sigaction old_int_ {};
  struct sigaction old_term_ {};
};

struct ReportOptions {
  bool json = false;
  bool quiet = false;
  bool notices = false;  // the notice text goes to stderr
};

// One status line per column on stdout; on a terminal a progress line on stderr that each
// result line replaces for a moment, and a summary at the end. Also the pop-up notice of the
// console: its text goes to stderr. Workers call ShowNotice; everything else runs on the main
// thread at the queue's ticks; a mutex serialises the two.
class ConsoleReport final : public UpdateQueueObserver, public NoticeSink {
 public:
  ConsoleReport(const ColumnStoreSession& session, UpdateRecord& record,
                const ReportOptions& options, size_t total)
      : session_(session),
        record_(record),
        options_(options),
        total_(total),
        progress_(!options.quiet && isatty(STDERR_FILENO) != 0),
        colours_(ColoursFor(stdout)) {}

  bool WantsQueueStatus() const override { return false; }

  void UpdateDone(Column& column) override {
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

  void ShowNotice(const std::string& text) override {
    if (!options_.notices) return;
    std::lock_guard<std::mutex> lock(mutex_);
    ClearProgress();
    std::fputs(TerminalText(session_.ToUtf8(text), LineBreaks::kKeep).c_str(), stderr);
    ShowProgress();
  }

  void SetRunning(int running) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (running == running_) return;
    running_ = running;
    ShowProgress();
  }
  void Start() {
    std::lock_guard<std::mutex> lock(mutex_);
    ShowProgress();
  }
  // Clears the progress line and prints the summary.
  void Finish() {
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
  size_t failed() const { return failed_; }
  size_t done() const { return done_; }

 private:
  std::string ResultLine(const Column& column) const {
    const int32_t failure = column.last_result.load();
    const int32_t http_status = column.last_http_status.load();
    const std::string message = FailureText(failure, http_status);
    const std::string name = session_.ToUtf8(column.DisplayName());
    if (options_.json) {
      nlohmann::ordered_json line;
      line["id"] = column.id;
      line["name"] = name;
      line["url"] = session_.ToUtf8(column.url);
      line["new"] = column.NewCount();
      line["failure"] = failure;
      line["message"] = message;
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
    return TerminalText(name) + ": " + std::to_string(column.NewCount()) + " new records, " +
           status + "\n";
  }

  void ShowProgress() {
    if (!progress_ || done_ >= total_) return;
    std::fprintf(stderr, "\r\033[KUpdating: %zu/%zu done, %d running", done_, total_, running_);
    std::fflush(stderr);
  }
  void ClearProgress() {
    if (!progress_) return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
  }

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

// The columns the ids name, in the order given (a group gives its columns in tree order),
// each once. Every column of the tree when no id is given. False when an id names nothing.
bool ChosenColumns(const ColumnStoreSession& session, const std::vector<std::string>& ids,
                   std::vector<std::shared_ptr<Column>>& columns) {
  if (ids.empty()) {
    columns = session.tree().Columns();
    return true;
  }
  std::vector<std::shared_ptr<Column>> all;
  for (const std::string& id : ids) {
    TreeNodeRef node = session.FindNode(id);
    if (!node) return false;
    node->CollectColumns(all);
  }
  std::unordered_set<const Column*> seen;
  for (auto& column : all) {
    if (seen.insert(column.get()).second) columns.push_back(std::move(column));
  }
  return true;
}

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Runs the queue until it is empty or the user interrupts; true when interrupted.
bool RunQueue(UpdateQueue& queue, const WakePipe& wake, ConsoleReport& report) {
  while (!queue.empty()) {
    if (g_interrupted) return true;
    queue.Tick(NowMs());
    if (queue.empty()) break;
    report.SetRunning(queue.RunningCount());
    // A worker wakes the loop when it finishes; the time-out is only a safety net.
    wake.Wait(1000);
  }
  return g_interrupted != 0;
}

}  // namespace

int RunUpdate(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {}, {"--json", "--quiet", "--notices"}, 0, SIZE_MAX, error) ||
      !CheckNodeIds(args.words(), error)) {
    return UsageError(kUsage, error);
  }
  int status = kExitOk;
  auto session = ColumnStoreSession::Open(StoreAccess::kWrite, status);
  if (!session) return status;
  std::vector<std::shared_ptr<Column>> columns;
  if (!ChosenColumns(*session, args.words(), columns)) return kExitFailure;

  WakePipe wake;
  if (!wake.ok()) return Fail(kExitFailure, "cannot create a pipe");
  UpdateRecord record;
  record.Load(session->data_folder());
  ReportOptions options;
  options.json = args.Has("--json");
  options.quiet = args.Has("--quiet");
  options.notices = args.Has("--notices") || (!options.quiet && !SameTerminal());
  ConsoleReport report(*session, record, options, columns.size());
  auto services = std::make_shared<UpdateServices>();
  services->notice = &report;
  services->update_finished = Wake;
  UpdateQueue queue(session->tree(), services, &report);
  for (const auto& column : columns) queue.Enqueue(column);

  report.Start();
  const bool interrupted = RunQueue(queue, wake, report);
  if (interrupted) queue.StopAll();
  report.Finish();
  const bool saved = session->Save();
  errno = 0;
  if (!record.Save(session->data_folder(), session->tree())) {
    const int reason = errno;
    Fail(kExitOk,
         FileError("write", session->data_folder() + "/" + UpdateRecord::kFileName, reason));
  }
  if (interrupted) {
    std::fprintf(stderr, "tarsel-cli: interrupted; %zu of %zu columns were updated\n",
                 report.done(), columns.size());
  }
  if (!WorkerThread::WaitForHandedOff(kStopGrace)) {
    // A stopped worker is still busy (a mail, a sound); its column is saved already.
    std::fflush(nullptr);
    std::_Exit(kExitFailure);
  }
  const bool all_ok = !interrupted && report.failed() == 0;
  return saved && all_ok ? kExitOk : kExitFailure;
}

}  // namespace tarsel::cli
