#pragma once

// The timers that drive the update queue, apart from any toolkit: the desktop program fires
// RunDue from one single-shot timer re-armed with the delay RunDue returns; tarsel-cli sleeps
// that long; tests move a fake clock. Timers and periods:
//   queue tick        every 4000 ms  (UpdateQueue::Tick; the idle save of columns.dat is its own)
//   due check         every 3000 ms  (UpdateQueue::DueCheck; offline and not-connected skip)
//   connection test   every 5000 ms  (UpdateQueue::CheckConnection)
//   version check     once, 1000 ms after Start, when the last check is over 20 days old
// Timers due at the same moment run in that order. After a long stall (a suspended laptop) a
// timer runs once and resumes its period from now; missed runs are not repeated.
//
// Same thread as the queue; the clock is read only on it.

#include <cstdint>
#include <functional>
#include <vector>

#include "update/update_queue.h"

namespace tarsel {

class SchedulerClock {
 public:
  virtual ~SchedulerClock() = default;
  // Monotonic milliseconds, for the periods and the queue's idle save.
  virtual int64_t NowMs() const = 0;
  // Seconds since 1970, as column update times are kept.
  virtual int32_t NowSeconds() const = 0;
};

// steady_clock and the system time.
class SystemSchedulerClock final : public SchedulerClock {
 public:
  int64_t NowMs() const override;
  int32_t NowSeconds() const override;
};

// Seconds after which the version check is due again: 20 days.
inline constexpr int32_t kVersionCheckInterval = 1728000;
// True when the last check (seconds since 1970; -1 or 0: never) is more than 20 days before now.
bool VersionCheckDue(int32_t last_check, int32_t now);

class UpdateScheduler {
 public:
  static constexpr int64_t kQueueTickMs = 4000;
  static constexpr int64_t kDueCheckMs = 3000;
  static constexpr int64_t kConnectionTestMs = 5000;
  static constexpr int64_t kVersionCheckDelayMs = 1000;

  enum class Timer { kQueueTick, kDueCheck, kConnectionTest, kVersionCheck };

  // The queue and the clock must outlive the scheduler. start_version_check may be empty.
  UpdateScheduler(UpdateQueue& queue, const SchedulerClock& clock,
                  std::function<void()> start_version_check = {});

  // Sets the timers from now (the version check only when VersionCheckDue), then runs the
  // start-up update of the queue.
  void Start(int32_t last_version_check);
  // No timer runs any more.
  void Stop();
  bool running() const { return !timers_.empty(); }

  // Runs every timer whose time has come and returns the milliseconds until the next one is
  // due (at least 0); -1 when stopped.
  int64_t RunDue();

  // Which timers ran, oldest first; for tests and the benchmark.
  const std::vector<Timer>& history() const { return history_; }
  void set_keep_history(bool keep) { keep_history_ = keep; }

 private:
  struct Entry {
    Timer timer;
    int64_t period_ms;  // 0: once
    int64_t due_ms;
  };
  void Fire(Timer timer);

  UpdateQueue& queue_;
  const SchedulerClock& clock_;
  std::function<void()> start_version_check_;
  std::vector<Entry> timers_;  // in the order timers due together run
  std::vector<Timer> history_;
  bool keep_history_ = false;
};

}  // namespace tarsel
