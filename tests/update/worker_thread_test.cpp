#include "update/worker_thread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <system_error>
#include <thread>

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
  std::thread::id ran_on;
  int runs_on_its_thread = 0;  // this kind of worker's runs on the thread so far, this one too

 protected:
  int Run() override {
    thread_local int runs_here = 0;
    ran_on = std::this_thread::get_id();
    runs_on_its_thread = ++runs_here;
    while (!StopRequested() && !*release) {
      ++turns;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return 7;
  }
  void Launch(std::function<void()> body) override {
    if (fail_launch)
      throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    WorkerThread::Launch(std::move(body));
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

// Runs share threads, yet a run that never ends keeps no other from starting.
TEST(WorkerThreadTest, RunsReuseThreadsWithoutWaitingForOneAnother) {
  LoopingWorker endless;
  ASSERT_TRUE(endless.Start());
  ASSERT_TRUE(testing::WaitUntil([&] { return endless.turns > 0; }));
  int most_runs_on_one_thread = 0;
  for (int run = 0; run < 20; ++run) {
    LoopingWorker worker;
    *worker.release = true;
    ASSERT_TRUE(worker.Start());
    worker.Stop();
    EXPECT_NE(worker.ran_on, endless.ran_on);
    most_runs_on_one_thread = std::max(most_runs_on_one_thread, worker.runs_on_its_thread);
    // Lets the thread go back to waiting before the next run asks for one.
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  // A thread per run would have run one each; a loaded machine may still start a few.
  EXPECT_GE(most_runs_on_one_thread, 5);
  endless.Stop();
}

// The owner drops its last reference while the run goes on: the run's own reference is then
// the last, and the object is destroyed on the worker thread, which must not wait for itself.
TEST(WorkerThreadTest, ObjectReleasedByItsOwnRunEndsThere) {
  auto worker = std::make_shared<LoopingWorker>();
  std::weak_ptr<LoopingWorker> watch = worker;
  ASSERT_TRUE(worker->Start(worker));
  ASSERT_TRUE(testing::WaitUntil([&] { return worker->turns > 0; }));
  auto release = worker->release;
  worker.reset();
  *release = true;
  ASSERT_TRUE(testing::WaitUntil([&] { return watch.expired(); }));
  EXPECT_TRUE(WorkerThread::WaitForHandedOff(std::chrono::seconds(20)));
}

}  // namespace
}  // namespace tarsel
