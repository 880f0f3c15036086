#include "view/update_scheduler.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "store/record.h"

namespace tarsel {

int64_t SystemSchedulerClock::NowMs() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int32_t SystemSchedulerClock::NowSeconds() const {
  return tarsel::NowSeconds();
}

bool VersionCheckDue(int32_t last_check, int32_t now) {
  if (last_check <= 0) return true;  // never checked, or a time that could not be read
  return static_cast<int64_t>(now) - last_check > kVersionCheckInterval;
}

UpdateScheduler::UpdateScheduler(UpdateQueue& queue, const SchedulerClock& clock,
                                 std::function<void()> start_version_check)
    : queue_(queue), clock_(clock), start_version_check_(std::move(start_version_check)) {}

void UpdateScheduler::Start(int32_t last_version_check) {
  const int64_t now = clock_.NowMs();
  timers_ = {
      {Timer::kQueueTick, kQueueTickMs, now + kQueueTickMs},
      {Timer::kDueCheck, kDueCheckMs, now + kDueCheckMs},
      {Timer::kConnectionTest, kConnectionTestMs, now + kConnectionTestMs},
  };
  if (VersionCheckDue(last_version_check, clock_.NowSeconds())) {
    timers_.push_back({Timer::kVersionCheck, 0, now + kVersionCheckDelayMs});
  }
  queue_.StartupUpdate();
}

void UpdateScheduler::Stop() {
  timers_.clear();
}

int64_t UpdateScheduler::RunDue() {
  if (timers_.empty()) return -1;
  const int64_t now = clock_.NowMs();
  // A timer that fires takes its next time before the next one is looked at, so a slow tick
  // cannot make the same timer run twice in one call.
  for (size_t i = 0; i < timers_.size();) {
    Entry& entry = timers_[i];
    if (entry.due_ms > now) {
      ++i;
      continue;
    }
    const Timer timer = entry.timer;
    if (entry.period_ms == 0) {
      timers_.erase(timers_.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      entry.due_ms += entry.period_ms;
      if (entry.due_ms <= now) entry.due_ms = now + entry.period_ms;
      ++i;
    }
    Fire(timer);
    if (timers_.empty()) return -1;  // a timer's work stopped the scheduler
  }
  int64_t next = timers_.front().due_ms;
  for (const Entry& entry : timers_) next = std::min(next, entry.due_ms);
  return std::max<int64_t>(0, next - clock_.NowMs());
}

void UpdateScheduler::Fire(Timer timer) {
  if (keep_history_) history_.push_back(timer);
  switch (timer) {
    case Timer::kQueueTick:
      queue_.Tick(clock_.NowMs());
      break;
    case Timer::kDueCheck:
      queue_.DueCheck(clock_.NowSeconds());
      break;
    case Timer::kConnectionTest:
      queue_.CheckConnection();
      break;
    case Timer::kVersionCheck:
      if (start_version_check_) start_version_check_();
      break;
  }
}

}  // namespace tarsel
