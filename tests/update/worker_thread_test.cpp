#include "update/worker_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <system_error>

#include "update/update_test_support.h"

namespace tarsel {
namespace {

// Counts its turns until asked to stop.
class LoopingWorker : public WorkerThread {
 public:
  ~LoopingWorker() override { Stop(); }
  std::atomic<int> turns{0};
  std::atomic<bool> fail_launch{false};
  // Ends the run from outside, for a thread its owner no longer refers to.
  std::shared_ptr<std::atomic<bool>> release = std::make_shared<std::atomic<bool>>(false);

 protected:
  int Run() override {
    while (!StopRequested() && !*release) {
      ++turns;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return 7;
  }
  std::thread Launch(std::function<void()> body) override {
    if (fail_launch)
      throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    return WorkerThread::Launch(std::move(body));
  }
};

TEST(WorkerThreadTest, StopEndsTheRunCooperativelyAndStartRunsAgain) {
  LoopingWorker worker;
  for (int round = 0; round < 2; ++round) {
    worker.turns = 0;
    ASSERT_TRUE(worker.Start());
    EXPECT_FALSE(worker.StopRequested());
    ASSERT_TRUE(testing::WaitUntil([&] { return worker.turns > 0; }));
    worker.Stop();
    EXPECT_FALSE(worker.Attached());
    EXPECT_EQ(worker.ExitCode(), 7);
  }
}

TEST(WorkerThreadTest, ThreadThatCannotBeCreatedLeavesTheWorkerUnstarted) {
  LoopingWorker worker;
  worker.fail_launch = true;
  EXPECT_FALSE(worker.Start());
  EXPECT_FALSE(worker.Attached());
  worker.Stop();  // nothing to wait for
}

// A handed-off worker outlives its owner's reference and is waited for at exit.
TEST(WorkerThreadTest, HandedOffThreadFinishesOnItsOwn) {
  auto worker = std::make_shared<LoopingWorker>();
  std::weak_ptr<LoopingWorker> watch = worker;
  ASSERT_TRUE(worker->Start(worker));
  ASSERT_TRUE(testing::WaitUntil([&] { return worker->turns > 0; }));
  worker->HandOff();
  EXPECT_FALSE(worker->Attached());
  EXPECT_FALSE(WorkerThread::WaitForHandedOff(std::chrono::milliseconds(20)));
  auto release = worker->release;
  worker.reset();  // the thread's reference keeps it alive
  EXPECT_FALSE(watch.expired());
  *release = true;
  EXPECT_TRUE(WorkerThread::WaitForHandedOff(std::chrono::seconds(20)));
  EXPECT_TRUE(watch.expired());
}

}  // namespace
}  // namespace tarsel
