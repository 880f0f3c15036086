#include "update/worker_thread.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <utility>

namespace tarsel {
namespace {

// Handed-off threads that have not finished yet, across the process.
std::mutex g_handed_off_mutex;
std::condition_variable g_handed_off_done;
int g_handed_off_running = 0;

}  // namespace

// Shared by the object and its thread; guarded by g_handed_off_mutex.
struct WorkerThread::Control {
  bool finished = false;
  bool handed_off = false;
};

WorkerThread::~WorkerThread() {
  if (thread_.joinable()) WorkerThread::Stop();
}

std::thread WorkerThread::Launch(std::function<void()> body) {
  return std::thread(std::move(body));
}

bool WorkerThread::Start(std::shared_ptr<void> keep_alive) {
  if (thread_.joinable()) Stop();
  stop_requested_ = false;
  exit_code_ = 0;
  auto control = std::make_shared<Control>();
  try {
    thread_ = Launch([this, control, keep = std::move(keep_alive)]() mutable {
      exit_code_ = Run();
      // The owner may have handed the thread off and dropped its references: `this` may go
      // with `keep`, so nothing below touches it.
      keep.reset();
      std::lock_guard<std::mutex> lock(g_handed_off_mutex);
      control->finished = true;
      if (control->handed_off) {
        --g_handed_off_running;
        g_handed_off_done.notify_all();
      }
    });
  } catch (const std::system_error&) {
    return false;
  }
  control_ = std::move(control);
  return true;
}

void WorkerThread::Stop() {
  RequestStop();
  if (!thread_.joinable()) return;
  if (thread_.get_id() == std::this_thread::get_id()) {
    // The last reference went away on the worker itself; it ends on its own.
    HandOff();
    return;
  }
  thread_.join();
  control_.reset();
}

void WorkerThread::HandOff() {
  if (!thread_.joinable()) return;
  bool finished = false;
  {
    std::lock_guard<std::mutex> lock(g_handed_off_mutex);
    finished = control_->finished;
    if (!finished) {
      control_->handed_off = true;
      ++g_handed_off_running;
    }
  }
  if (finished && thread_.get_id() != std::this_thread::get_id()) {
    thread_.join();
  } else {
    thread_.detach();
  }
  control_.reset();
}

bool WorkerThread::WaitForHandedOff(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(g_handed_off_mutex);
  return g_handed_off_done.wait_for(lock, timeout, [] { return g_handed_off_running == 0; });
}

}  // namespace tarsel
