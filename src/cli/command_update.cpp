// tarsel-cli update: updates columns now, through the same queue and workers as the desktop
// program (at most five at a time), and reports each column as it finishes.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

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
#include "net/download/failure_code.h"
#include "update/update_queue.h"
#include "update/worker_thread.h"

namespace tarsel::cli {
namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli update [ID...] [--json]\n"
    "Updates the given columns (a group id: its columns; none: every column), five at a time,\n"
    "and prints one line per column: its name, its new records and its status. With --json\n"
    "each line is a JSON object. Exit status 0 when every column updated without failure.\n";

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

// One status line per column on stdout; on a terminal a progress line on stderr that each
// result line replaces for a moment. Also the pop-up notice of the console: its text goes to
// stderr. Workers call ShowNotice, so everything is serialised.
class ConsoleReport final : public UpdateQueueObserver, public NoticeSink {
 public:
  ConsoleReport(const ColumnStoreSession& session, bool json, size_t total)
      : session_(session), json_(json), total_(total), progress_(isatty(STDERR_FILENO) != 0) {}

  bool WantsQueueStatus() const override { return false; }

  void UpdateDone(Column& column) override {
    std::lock_guard<std::mutex> lock(mutex_);
    ++done_;
    if (column.last_result.load() != kFailureNone) ++failed_;
    ClearProgress();
    std::fputs(ResultLine(column).c_str(), stdout);
    std::fflush(stdout);
    ShowProgress();
  }

  void ShowNotice(const std::string& text) override {
    std::lock_guard<std::mutex> lock(mutex_);
    ClearProgress();
    std::fputs(session_.ToUtf8(text).c_str(), stderr);
    ShowProgress();
  }

  void Start() {
    std::lock_guard<std::mutex> lock(mutex_);
    ShowProgress();
  }
  void Finish() {
    std::lock_guard<std::mutex> lock(mutex_);
    ClearProgress();
  }
  size_t failed() const { return failed_; }
  size_t done() const { return done_; }

 private:
  std::string ResultLine(const Column& column) const {
    const int32_t status = column.last_result.load();
    const std::string message = status == kFailureNone ? "" : FailureMessage(status);
    if (json_) {
      nlohmann::ordered_json line;
      line["id"] = column.id;
      line["name"] = session_.ToUtf8(column.DisplayName());
      line["new"] = column.NewCount();
      line["status"] = status;
      line["message"] = session_.ToUtf8(message);
      return line.dump() + "\n";
    }
    return session_.ToUtf8(column.DisplayName()) + ": " + std::to_string(column.NewCount()) +
           " new records, " + (status == kFailureNone ? "OK" : OneLine(message)) + "\n";
  }

  // A failure text on one line: its line breaks become blanks, without doubling one.
  static std::string OneLine(const std::string& text) {
    std::string line;
    for (char byte : text) {
      const char c = byte == '\n' ? ' ' : byte;
      if (c == ' ' && !line.empty() && line.back() == ' ') continue;
      line += c;
    }
    return line;
  }

  void ShowProgress() {
    if (!progress_ || done_ >= total_) return;
    std::fprintf(stderr, "\rUpdating: %zu/%zu done", done_, total_);
    std::fflush(stderr);
  }
  void ClearProgress() {
    if (!progress_) return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
  }

  const ColumnStoreSession& session_;
  const bool json_;
  const size_t total_;
  const bool progress_;
  std::mutex mutex_;
  size_t done_ = 0;
  size_t failed_ = 0;
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
bool RunQueue(UpdateQueue& queue, const WakePipe& wake) {
  while (!queue.empty()) {
    if (g_interrupted) return true;
    queue.Tick(NowMs());
    if (queue.empty()) break;
    // A worker wakes the loop when it finishes; the time-out is only a safety net.
    wake.Wait(1000);
  }
  return g_interrupted != 0;
}

}  // namespace

int RunUpdate(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {}, {"--json"}, 0, SIZE_MAX, error)) {
    return UsageError(kUsage, error);
  }
  int status = kExitOk;
  auto session = ColumnStoreSession::Open(StoreAccess::kWrite, status);
  if (!session) return status;
  std::vector<std::shared_ptr<Column>> columns;
  if (!ChosenColumns(*session, args.words(), columns)) return kExitFailure;

  WakePipe wake;
  if (!wake.ok()) return Fail(kExitFailure, "cannot create a pipe");
  ConsoleReport report(*session, args.Has("--json"), columns.size());
  auto services = std::make_shared<UpdateServices>();
  services->notice = &report;
  services->update_finished = Wake;
  UpdateQueue queue(session->tree(), services, &report);
  for (const auto& column : columns) queue.Enqueue(column);

  report.Start();
  const bool interrupted = RunQueue(queue, wake);
  if (interrupted) queue.StopAll();
  report.Finish();
  const bool saved = session->Save();
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
