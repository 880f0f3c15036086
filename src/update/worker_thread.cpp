#include "update/worker_thread.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "update/worker_pool.h"

namespace tarsel {
namespace {

// Runs and handed-off runs across the process: their ends are announced under this mutex.
std::mutex g_runs_mutex;
std::condition_variable g_run_finished;
int g_handed_off_running = 0;

}  // namespace

// Shared by the object and its run; guarded by g_runs_mutex.
struct WorkerThread::Control {
  bool finished = false;
  bool handed_off = false;
  std::thread::id runner;  // the thread in Run, once it has begun
};

WorkerThread::~WorkerThread() {
  if (Attached()) WorkerThread::Stop();
}

void WorkerThread::Launch(std::function<void()> body) {
  RunOnPooledThread(std::move(body));
}

bool WorkerThread::Start(std::shared_ptr<void> keep_alive) {
  if (Attached()) Stop();
  stop_requested_ = false;
  exit_code_ = 0;
  auto control = std::make_shared<Control>();
  try {
    Launch([this, control, keep = std::move(keep_alive)]() mutable {
      {
        std::lock_guard<std::mutex> lock(g_runs_mutex);
        control->runner = std::this_thread::get_id();
      }
      exit_code_ = Run();
      // The owner may have handed the run off and dropped its references: `this` may go with
      // `keep`, so nothing below touches it.
      keep.reset();
      std::lock_guard<std::mutex> lock(g_runs_mutex);
      control->finished = true;
      if (control->handed_off) --g_handed_off_running;
      g_run_finished.notify_all();
    });
  } catch (const std::system_error&) {
    return false;
  }
  control_ = std::move(control);
  return true;
}

void WorkerThread::Stop() {
  RequestStop();
  if (!Attached()) return;
  std::unique_lock<std::mutex> lock(g_runs_mutex);
  if (!control_->finished && control_->runner == std::this_thread::get_id()) {
    // The last reference went away in the run itself; it ends on its own.
    lock.unlock();
    HandOff();
    return;
  }
  g_run_finished.wait(lock, [this] { return control_->finished; });
  lock.unlock();
  control_.reset();
}

void WorkerThread::HandOff() {
  if (!Attached()) return;
  {
    std::lock_guard<std::mutex> lock(g_runs_mutex);
    if (!control_->finished) {
      control_->handed_off = true;
      ++g_handed_off_running;
    }
  }
  control_.reset();
}

bool WorkerThread::WaitForHandedOff(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(g_runs_mutex);
  return g_run_finished.wait_for(lock, timeout, [] { return g_handed_off_running == 0; });
}

}  // namespace tarsel
