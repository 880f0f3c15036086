// tarsel-cli update: updates columns now, through the same queue and workers as the desktop
// program (at most five at a time), and reports each column as it finishes.
#include <malloc.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "cli/cli_args.h"
#include "cli/column_store_session.h"
#include "cli/console.h"
#include "cli/exit_without_teardown.h"
#include "cli/update_record.h"
#include "cli/update_report.h"
#include "cli/wake_loop.h"
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

// A worker's heap grows by what each allocation lacks, page by page, a system call each: a
// first update of a few hundred columns grew them thousands of times. Growing sixteen megabytes
// ahead takes address space, not memory (a page counts once it is used). A short command can
// afford the free memory kept at the heaps' tops; the long-running `run` keeps the default.
void LetHeapsGrowAhead() {
#ifdef __GLIBC__
  mallopt(M_TOP_PAD, 16 << 20);
#endif
}

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Runs the queue until it is empty or the user interrupts; true when interrupted.
bool RunQueue(UpdateQueue& queue, const WakeLoop& wake, ConsoleReport& report) {
  while (!queue.empty()) {
    if (wake.StopRequested()) return true;
    queue.Tick(NowMs());
    if (queue.empty()) break;
    report.SetRunning(queue.RunningCount());
    // A worker wakes the loop when it finishes; the time-out is only a safety net.
    wake.Wait(1000);
  }
  return wake.StopRequested();
}

}  // namespace

int RunUpdate(int argc, char* argv[]) {
  CommandArgs args;
  std::string error;
  if (!args.Parse(argc, argv, {}, {"--json", "--quiet", "--notices"}, 0, SIZE_MAX, error) ||
      !CheckNodeIds(args.words(), error)) {
    return UsageError(kUsage, error);
  }
  LetHeapsGrowAhead();
  int status = kExitOk;
  auto session = ColumnStoreSession::Open(StoreAccess::kWrite, status);
  if (!session) return status;
  std::vector<std::shared_ptr<Column>> columns;
  if (!ChosenColumns(*session, args.words(), columns)) return kExitFailure;

  WakeLoop wake(WakeLoop::SecondSignal::kEndsProgram);
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
  services->settings = [snapshot = std::make_shared<const Settings>(session->settings())] {
    return snapshot;
  };
  services->update_finished = WakeLoop::Wake;
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
  const int exit_status = saved && all_ok ? kExitOk : kExitFailure;
  // Everything is on the disk and every worker has ended: the tree need not be freed.
  ExitWithoutTeardown(exit_status);
  return exit_status;
}

}  // namespace tarsel::cli
