// tarsel-cli run: keeps the columns updated on their own intervals, as the desktop program's
// timers do, until SIGTERM or SIGINT; then stops the updates and saves columns.dat. For servers
// and for people who read in another program.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <mutex>
#include <string>

#include "cli/cli_args.h"
#include "cli/column_store_session.h"
#include "cli/exit_without_teardown.h"
#include "cli/wake_loop.h"
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

// Result lines on stdout, notices on stderr; workers call ShowNotice, so both are serialised.
class RunReport final : public UpdateQueueObserver, public NoticeSink {
 public:
  explicit RunReport(const ColumnStoreSession& session) : session_(session) {}

  bool WantsQueueStatus() const override { return false; }

  void UpdateDone(Column& column) override {
    std::lock_guard<std::mutex> lock(mutex_);
    ++updates_done_;
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

  // Columns that left the queue so far; only updates change the store of a run.
  uint64_t updates_done() {
    std::lock_guard<std::mutex> lock(mutex_);
    return updates_done_;
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
  uint64_t updates_done_ = 0;
};

}  // namespace

int RunRun(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {}, {"--offline"}, 0, 0, error)) return UsageError(kUsage, error);
  int status = kExitOk;
  auto session = ColumnStoreSession::Open(StoreAccess::kWrite, status);
  if (!session) return status;
  WakeLoop wake(WakeLoop::SecondSignal::kWaits);
  if (!wake.ok()) return Fail(kExitFailure, "cannot create a pipe");

  RunReport report(*session);
  auto services = std::make_shared<UpdateServices>();
  services->notice = &report;
  services->settings = [snapshot = std::make_shared<const Settings>(session->settings())] {
    return snapshot;
  };
  services->update_finished = WakeLoop::Wake;
  UpdateQueueHooks hooks;
  // The idle save, only after an update: a service at rest does not rewrite its store.
  uint64_t saved_after = 0;
  hooks.save_columns = [&session, &report, &saved_after] {
    const uint64_t done = report.updates_done();
    if (done != saved_after && session->Save()) saved_after = done;
  };
  UpdateQueue queue(session->tree(), services, &report, hooks);
  queue.SetOffline(args.Has("--offline"));
  SystemSchedulerClock clock;
  UpdateScheduler scheduler(queue, clock);
  // The desktop program checks for new versions; a server run does not.
  scheduler.Start(clock.NowSeconds());

  while (!wake.StopRequested()) {
    const int64_t wait = scheduler.RunDue();
    if (wait < 0) break;
    wake.Wait(wait);
  }
  scheduler.Stop();
  queue.StopAll();
  const bool saved = session->Save();
  if (!WorkerThread::WaitForHandedOff(kStopGrace)) {
    std::fflush(nullptr);
    std::_Exit(saved ? kExitOk : kExitFailure);
  }
  // Everything is on the disk and every worker has ended: the tree need not be freed.
  ExitWithoutTeardown(saved ? kExitOk : kExitFailure);
  return saved ? kExitOk : kExitFailure;
}

}  // namespace tarsel::cli
