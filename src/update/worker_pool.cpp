#include "update/worker_pool.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace tarsel {
namespace {

// Long enough to span the desktop's 4 s queue tick, short enough that a program at rest does
// not keep threads (and their memory) from its last update.
constexpr std::chrono::seconds kIdleLinger{10};

class WorkerPool {
 public:
  void Run(std::function<void()> body) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!idle_.empty()) {
      // The thread idle the shortest time: its caches are warm, and the others may end.
      IdleThread* idle = idle_.back();
      idle_.pop_back();
      idle->body = std::move(body);
      // Under the lock: once it has its run, the thread may end before a late wake-up.
      idle->wake.notify_one();
      return;
    }
    lock.unlock();
    std::thread(&WorkerPool::Serve, this, std::move(body)).detach();
  }

 private:
  // A thread waiting for a run; lives on that thread's stack.
  struct IdleThread {
    std::condition_variable wake;
    std::function<void()> body;
  };

  // A pooled thread: its first run, then whatever runs come while it waits.
  void Serve(std::function<void()> body) {
    IdleThread self;
    for (;;) {
      body();
      // The run's captures go before the thread counts as idle again.
      body = nullptr;
      std::unique_lock<std::mutex> lock(mutex_);
      idle_.push_back(&self);
      if (!self.wake.wait_for(lock, kIdleLinger, [&self] { return self.body != nullptr; })) {
        idle_.erase(std::find(idle_.begin(), idle_.end(), &self));
        return;
      }
      body = std::move(self.body);
      self.body = nullptr;
    }
  }

  std::mutex mutex_;
  std::vector<IdleThread*> idle_;  // the thread idle the shortest time last
};

// Never destroyed: detached threads may still wait on it while the process ends.
WorkerPool& Pool() {
  static WorkerPool* const pool = new WorkerPool;
  return *pool;
}

}  // namespace

void RunOnPooledThread(std::function<void()> body) {
  Pool().Run(std::move(body));
}

}  // namespace tarsel
