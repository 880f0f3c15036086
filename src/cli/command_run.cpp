// tarsel-cli run: keeps the columns updated on their own intervals, as the desktop program's
// timers do, until SIGTERM or SIGINT; then stops the updates and saves columns.dat. For servers
// and for people who read in another program.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <memory>
#include <mutex>
#include <string>

#include "cli/cli_args.h"
#include "cli/column_store_session.h"
#include "net/download/failure_code.h"
#include "update/update_queue.h"
#include "update/worker_thread.h"
#include "view/update_scheduler.h"

namespace tarsel::cli {
namespace {

constexpr char kUsage[] =
    "Usage: tarsel-cli run [--offline]\n"
    "Keeps every column updated on its own interval (and those set to update on start, once),\n"
    "five at a time, until SIGTERM or SIGINT; then saves the columns and ends with status 0.\n"
    "Prints one line per finished update. --offline starts with scheduled updates off.\n"
    "Refuses while the desktop program holds the data folder.\n";

constexpr std::chrono::seconds kStopGrace{10};

// Wakes the loop from a signal handler or a finishing worker: write(2) on a non-blocking pipe.
int g_run_pipe[2] = {-1, -1};
volatile std::sig_atomic_t g_stop = 0;

void WakeLoop() {
  const char byte = 1;
  [[maybe_unused]] const ssize_t ignored = write(g_run_pipe[1], &byte, 1);
}

extern "C" void OnStopSignal(int) {
  g_stop = 1;
  WakeLoop();
}

void WaitForWake(int64_t timeout_ms) {
  pollfd entry{g_run_pipe[0], POLLIN, 0};
  if (poll(&entry, 1, static_cast<int>(timeout_ms)) <= 0) return;
  char buffer[64];
  while (read(g_run_pipe[0], buffer, sizeof(buffer)) > 0) {
  }
}

// Result lines on stdout, notices on stderr; workers call ShowNotice, so both are serialised.
class RunReport final : public UpdateQueueObserver, public NoticeSink {
 public:
  explicit RunReport(const ColumnStoreSession& session) : session_(session) {}

  bool WantsQueueStatus() const override { return false; }

  void UpdateDone(Column& column) override {
    std::lock_guard<std::mutex> lock(mutex_);
    const int32_t status = column.last_result.load();
    std::string line = Stamp() + session_.ToUtf8(column.DisplayName()) + ": ";
    line += status == kFailureNone ? std::to_string(column.NewCount()) + " new records"
                                   : OneLine(FailureMessage(status));
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
  }

  void ShowNotice(const std::string& text) override {
    std::lock_guard<std::mutex> lock(mutex_);
    std::fputs(session_.ToUtf8(text).c_str(), stderr);
  }

  void ShowMessage(const std::string&, const std::string& text) override {
    std::lock_guard<std::mutex> lock(mutex_);
    std::fprintf(stderr, "tarsel-cli: %s\n", text.c_str());
  }

 private:
  static std::string Stamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof(text), "%Y-%m-%d %H:%M:%S ", &local);
    return text;
  }
  static std::string OneLine(std::string text) {
    for (char& c : text) {
      if (c == '\n') c = ' ';
    }
    return text;
  }

  const ColumnStoreSession& session_;
  std::mutex mutex_;
};

class StopSignals {
 public:
  StopSignals() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &old_int_);
    sigaction(SIGTERM, &action, &old_term_);
  }
  ~StopSignals() {
    sigaction(SIGINT, &old_int_, nullptr);
    sigaction(SIGTERM, &old_term_, nullptr);
  }

 private:
  struct sigaction old_int_ {};
  struct sigaction old_term_ {};
};

}  // namespace

int RunRun(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {}, {"--offline"}, 0, 0, error)) return UsageError(kUsage, error);
  int status = kExitOk;
  auto session = ColumnStoreSession::Open(StoreAccess::kWrite, status);
  if (!session) return status;
  // The pipe stays open until the process ends: a late worker may still write to it.
  if (pipe2(g_run_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    return Fail(kExitFailure, "cannot create a pipe");
  }
  StopSignals signals;

  RunReport report(*session);
  auto services = std::make_shared<UpdateServices>();
  services->notice = &report;
  services->update_finished = WakeLoop;
  UpdateQueueHooks hooks;
  hooks.save_columns = [&session] { session->Save(); };
  UpdateQueue queue(session->tree(), services, &report, hooks);
  queue.SetOffline(args.Has("--offline"));
  SystemSchedulerClock clock;
  UpdateScheduler scheduler(queue, clock);
  // The desktop program checks for new versions; a server run does not.
  scheduler.Start(clock.NowSeconds());

  while (!g_stop) {
    const int64_t wait = scheduler.RunDue();
    if (wait < 0) break;
    WaitForWake(wait);
  }
  scheduler.Stop();
  queue.StopAll();
  const bool saved = session->Save();
  if (!WorkerThread::WaitForHandedOff(kStopGrace)) {
    std::fflush(nullptr);
    std::_Exit(saved ? kExitOk : kExitFailure);
  }
  return saved ? kExitOk : kExitFailure;
}

}  // namespace tarsel::cli
