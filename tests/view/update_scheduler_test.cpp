#include "view/update_scheduler.h"

#include <gtest/gtest.h>

#include <memory>

#include "store/column.h"

namespace tarsel {
namespace {

class FakeClock final : public SchedulerClock {
 public:
  int64_t NowMs() const override { return ms; }
  int32_t NowSeconds() const override { return 1'700'000'000 + static_cast<int32_t>(ms / 1000); }
  int64_t ms = 0;
};

using Timer = UpdateScheduler::Timer;

struct Rig {
  Rig() {
    column = std::make_shared<Column>();
    column->url = "http://127.0.0.1:9/feed";
    column->update_interval = 60;
    column->update_on_start = false;
    tree.Append(column);
    UpdateQueueHooks hooks;
    hooks.is_connected = [this] { return connected; };
    queue = std::make_unique<UpdateQueue>(tree, nullptr, nullptr, hooks);
    scheduler = std::make_unique<UpdateScheduler>(*queue, clock, [this] { ++version_checks; });
    scheduler->set_keep_history(true);
  }
  // Moves the clock to `ms`, firing the timers on the way as a timer loop would.
  void RunUntil(int64_t ms) {
    while (true) {
      const int64_t wait = scheduler->RunDue();
      if (wait < 0 || clock.ms + wait > ms) break;
      clock.ms += wait;
    }
    clock.ms = ms;
  }

  FakeClock clock;
  ColumnTree tree;
  std::shared_ptr<Column> column;
  bool connected = true;
  int version_checks = 0;
  std::unique_ptr<UpdateQueue> queue;
  std::unique_ptr<UpdateScheduler> scheduler;
};

TEST(UpdateSchedulerTest, TimersRunOnTheirPeriodsInOrder) {
  Rig rig;
  rig.connected = false;  // nothing is queued, so no worker starts
  rig.scheduler->Start(/*last_version_check=*/-1);
  rig.RunUntil(12000);
  EXPECT_EQ(rig.scheduler->history(),
            (std::vector<Timer>{Timer::kVersionCheck, Timer::kDueCheck, Timer::kQueueTick,
                                Timer::kConnectionTest, Timer::kDueCheck, Timer::kQueueTick,
                                Timer::kDueCheck, Timer::kConnectionTest, Timer::kQueueTick,
                                Timer::kDueCheck}));
  EXPECT_EQ(rig.version_checks, 1);
}

TEST(UpdateSchedulerTest, DueCheckWaitsForConnectionAndSkipsOffline) {
  struct Case {
    const char* name;
    bool connected;
    bool offline;
    bool queued_at_3s;
  };
  const Case cases[] = {{"online", true, false, true},
                        {"offline mode", true, true, false},
                        {"not connected", false, false, false}};
  for (const Case& c : cases) {
    Rig rig;
    rig.connected = c.connected;
    rig.queue->SetOffline(c.offline);
    rig.scheduler->Start(rig.clock.NowSeconds());  // a recent check: no version timer
    rig.RunUntil(3500);
    EXPECT_EQ(rig.queue->Contains(*rig.column), c.queued_at_3s) << c.name;
    EXPECT_EQ(rig.version_checks, 0) << c.name;
    rig.queue->StopAll();
  }
}

TEST(UpdateSchedulerTest, AStallRunsEachTimerOnceAndStopEndsEverything) {
  Rig rig;
  rig.connected = false;
  rig.scheduler->Start(rig.clock.NowSeconds());
  rig.clock.ms = 3'600'000;  // an hour asleep
  const int64_t wait = rig.scheduler->RunDue();
  EXPECT_EQ(rig.scheduler->history().size(), 3u);
  EXPECT_EQ(wait, UpdateScheduler::kDueCheckMs);
  rig.scheduler->Stop();
  EXPECT_EQ(rig.scheduler->RunDue(), -1);
}

TEST(VersionCheckDueTest, TwentyDays) {
  EXPECT_TRUE(VersionCheckDue(-1, 1000));
  EXPECT_FALSE(VersionCheckDue(1000, 1000 + kVersionCheckInterval));
  EXPECT_TRUE(VersionCheckDue(1000, 1001 + kVersionCheckInterval));
}

}  // namespace
}  // namespace tarsel
