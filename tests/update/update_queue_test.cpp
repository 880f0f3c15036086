#include "update/update_queue.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <fstream>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "update/update_test_support.h"
#include "update/update_thread.h"
#include "update/worker_thread.h"

namespace tarsel {
namespace {

using testing::FakeAnswer;
using testing::FakeNetwork;
using testing::RssFeed;
using testing::WaitUntil;

class RecordingObserver final : public UpdateQueueObserver {
 public:
  void RefreshColumn(Column& column) override {
    if (column.update_state.load() == kUpdateRunning) started.push_back(column.id);
  }
  void UpdateDone(Column& column) override { done.push_back(column.id); }
  void ShowQueueStatus(const std::string& status_text, const std::string& tooltip_text) override {
    statuses.push_back(status_text);
    tooltip = tooltip_text;
  }
  void SetAnimation(bool running) override { animation.push_back(running); }
  void ShowMessage(const std::string& caption, const std::string& text) override {
    messages.push_back(caption + "|" + text);
  }
  std::vector<int32_t> started;
  std::vector<int32_t> done;
  std::vector<std::string> statuses;
  std::string tooltip;
  std::vector<bool> animation;
  std::vector<std::string> messages;
};

// A worker that can never start a thread.
class UnstartableThread final : public ColumnUpdateThread {
 public:
  bool Start(const std::shared_ptr<Column>&) override { return false; }
  bool Stop() override { return false; }
  void Finished(Column&, int32_t) override {}
};

std::string UrlOf(int number) {
  return "http://feeds.test/" + std::to_string(number) + ".xml";
}

class UpdateQueueTest : public ::testing::Test {
 protected:
  UpdateQueueTest() : data_home_("XDG_DATA_HOME", home_.path()) {
    auto services = std::make_shared<UpdateServices>();
    services->download = [network = network_](Column& request, DownloadStopper* stopper) {
      return network->Download(request, stopper);
    };
    UpdateQueueHooks hooks;
    hooks.is_connected = [this] { return connected_; };
    hooks.save_columns = [this] { ++saves_; };
    queue_ = std::make_unique<UpdateQueue>(tree_, services, &observer_, hooks);
  }

  ~UpdateQueueTest() override {
    network_->ReleaseAll();
    for (const auto& column : tree_.Columns()) {
      WaitUntil([&] { return column->update_state.load() != kUpdateRunning; });
    }
    EXPECT_TRUE(WorkerThread::WaitForHandedOff(std::chrono::seconds(20)));
  }

  std::vector<std::shared_ptr<Column>> AddColumns(int count) {
    std::vector<std::shared_ptr<Column>> added;
    for (int i = 1; i <= count; ++i) {
      auto column = std::make_shared<Column>();
      column->id = static_cast<int32_t>(tree_.Columns().size()) + 1;
      column->name = "Column " + std::to_string(column->id);
      column->url = UrlOf(column->id);
      tree_.AddColumn(column);
      added.push_back(column);
    }
    return added;
  }

  // Waits until `count` downloads are under way.
  void AwaitStarted(size_t count) {
    ASSERT_TRUE(WaitUntil([&] { return network_->Started().size() >= count; }));
  }
  void AwaitFinishedOrIdle(const std::shared_ptr<Column>& column) {
    ASSERT_TRUE(WaitUntil([&] {
      const int32_t state = column->update_state.load();
      return state == kUpdateFinished || state == kUpdateIdle;
    }));
  }
  void AwaitFinished(const Column& column) {
    ASSERT_TRUE(WaitUntil([&] { return column.update_state.load() == kUpdateFinished; }));
  }

  testing::TempDir home_;
  testing::ScopedEnv data_home_;
  std::shared_ptr<FakeNetwork> network_ = std::make_shared<FakeNetwork>();
  ColumnTree tree_;
  RecordingObserver observer_;
  bool connected_ = true;
  int saves_ = 0;
  std::unique_ptr<UpdateQueue> queue_;
};

TEST_F(UpdateQueueTest, AtMostFiveRunAndTheOthersStartInArrivalOrder) {
  auto columns = AddColumns(7);
  for (const auto& column : columns) queue_->Enqueue(column);
  queue_->Tick(0);
  AwaitStarted(5);
  EXPECT_EQ(observer_.started, (std::vector<int32_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(queue_->RunningCount(), 5);
  EXPECT_EQ(columns[5]->update_state.load(), kUpdateQueued);
  EXPECT_EQ(columns[6]->update_state.load(), kUpdateQueued);
  EXPECT_EQ(observer_.statuses.back(), "Updating: 5 In queue: 2");

  // Columns 2 and 4 finish; the next tick lets 6 and 7 in, in that order.
  network_->Release(UrlOf(2));
  network_->Release(UrlOf(4));
  AwaitFinished(*columns[1]);
  AwaitFinished(*columns[3]);
  queue_->Tick(4000);
  AwaitStarted(7);
  EXPECT_EQ(observer_.started, (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(observer_.done, (std::vector<int32_t>{2, 4}));
  EXPECT_EQ(columns[1]->update_state.load(), kUpdateIdle);
  EXPECT_EQ(queue_->size(), 5u);

  network_->ReleaseAll();
  for (const auto& column : columns) AwaitFinishedOrIdle(column);
  queue_->Tick(8000);
  EXPECT_TRUE(queue_->empty());
  EXPECT_EQ(observer_.animation, (std::vector<bool>{true, false}));
  EXPECT_EQ(observer_.statuses.back(), "Updating: 0 In queue: 0");
  EXPECT_EQ(observer_.tooltip, "Updating: 0 In queue: 0\n Unread Enrties - 0");
}

TEST_F(UpdateQueueTest, EnqueueOnlyTakesIdleColumns) {
  const struct {
    const char* name;
    int32_t state;
    bool queued;
  } rows[] = {
      {"idle", kUpdateIdle, true},
      {"queued", kUpdateQueued, false},
      {"updating", kUpdateRunning, false},
      {"finished", kUpdateFinished, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    UpdateQueue queue(tree_, nullptr, nullptr);
    auto column = std::make_shared<Column>();
    column->update_state = row.state;
    queue.Enqueue(column);
    queue.Enqueue(column);
    EXPECT_EQ(queue.size(), row.queued ? 1u : 0u);
    EXPECT_EQ(column->update_state.load(), row.queued ? kUpdateQueued : row.state);
    column->update_state = kUpdateIdle;  // the column never ran
  }
}

TEST_F(UpdateQueueTest, DueCheckNeedsConnectionAndNoOfflineMode) {
  const struct {
    const char* name;
    bool offline;
    bool connected;
    size_t queued;
  } rows[] = {
      {"online", false, true, 2},
      {"offline mode", true, true, 0},
      {"not connected", false, false, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ColumnTree tree;
    const int32_t now = 1'000'000;
    const struct {
      int32_t interval;
      int32_t last_update;
    } columns[] = {{0, 0}, {600, now - 601}, {600, now - 600}, {600, 0}};
    for (const auto& setup : columns) {
      auto column = std::make_shared<Column>();
      column->url = UrlOf(static_cast<int>(tree.Columns().size()));
      column->update_interval = setup.interval;
      column->last_update_time = setup.last_update;
      tree.AddColumn(column);
    }
    connected_ = row.connected;
    UpdateQueueHooks hooks;
    hooks.is_connected = [this] { return connected_; };
    UpdateQueue queue(tree, nullptr, nullptr, hooks);
    queue.SetOffline(row.offline);
    queue.CheckConnection();
    queue.DueCheck(now);
    ASSERT_EQ(queue.size(), row.queued);
    if (row.queued == 2) {
      EXPECT_EQ(queue.columns()[0], tree.Columns()[1]);  // tree order
      EXPECT_EQ(queue.columns()[1], tree.Columns()[3]);  // never updated: due
    }
    for (const auto& column : tree.Columns()) column->update_state = kUpdateIdle;
  }
}

TEST_F(UpdateQueueTest, OfflineModeStillQueuesAnExplicitUpdate) {
  auto column = AddColumns(1)[0];
  queue_->SetOffline(true);
  queue_->Enqueue(column);
  EXPECT_EQ(queue_->size(), 1u);
}

TEST_F(UpdateQueueTest, UpdateAllWhileNotConnectedShowsTheMessageAndQueuesNothing) {
  AddColumns(3);
  connected_ = false;
  EXPECT_FALSE(queue_->UpdateAll());
  EXPECT_TRUE(queue_->empty());
  EXPECT_EQ(observer_.messages,
            (std::vector<std::string>{"Connection Error|No internet connection detected"}));
  connected_ = true;
  EXPECT_TRUE(queue_->UpdateAll());
  EXPECT_EQ(queue_->size(), 3u);
  queue_->StopAll();
}

TEST_F(UpdateQueueTest, StartupUpdateQueuesManualColumnsMarkedForStartOnlyWhenConnected) {
  auto columns = AddColumns(3);
  columns[0]->update_interval = 0;
  columns[0]->update_on_start = true;
  columns[1]->update_interval = 0;
  columns[1]->update_on_start = false;
  columns[2]->update_interval = 3600;
  columns[2]->update_on_start = true;
  connected_ = false;
  queue_->StartupUpdate();
  EXPECT_TRUE(queue_->empty());
  connected_ = true;
  queue_->StartupUpdate();
  ASSERT_EQ(queue_->size(), 1u);
  EXPECT_EQ(queue_->columns()[0], columns[0]);
  queue_->StopAll();
}

TEST_F(UpdateQueueTest, DownloadFailuresBecomeTheirStatus) {
  const struct {
    int code;
    int32_t status;
  } rows[] = {{1, 1}, {4, 3}, {5, 2}, {6, 6}, {160, 161}, {163, 165}, {165, 160}, {999, 2}};
  auto columns = AddColumns(static_cast<int>(std::size(rows)));
  for (size_t i = 0; i < std::size(rows); ++i) {
    network_->Answer(columns[i]->url, FakeAnswer{rows[i].code, ""});
    queue_->Enqueue(columns[i]);
  }
  network_->ReleaseAll();
  for (int tick = 0; !queue_->empty() && tick < 5000; ++tick) {
    queue_->Tick(tick * 4000);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_TRUE(queue_->empty());
  for (size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(rows[i].code);
    EXPECT_EQ(columns[i]->last_result.load(), rows[i].status);
    EXPECT_EQ(columns[i]->update_state.load(), kUpdateIdle);
    EXPECT_GT(columns[i]->last_update_time.load(), 0);
  }
}

TEST_F(UpdateQueueTest, StoppedQueuedColumnLeavesAtTheNextTickWithoutStarting) {
  auto column = AddColumns(1)[0];
  queue_->Enqueue(column);
  queue_->StopColumn(column);
  EXPECT_EQ(column->update_state.load(), kUpdateIdle);
  EXPECT_TRUE(queue_->Contains(*column));
  queue_->Tick(0);
  EXPECT_TRUE(queue_->empty());
  EXPECT_TRUE(network_->Started().empty());
}

// Stopped columns stay listed until the next tick; queued again before it, they keep their
// place, are listed once and count once among the running.
TEST_F(UpdateQueueTest, StoppedColumnsQueuedAgainKeepTheirPlace) {
  auto columns = AddColumns(7);
  for (const auto& column : columns) queue_->Enqueue(column);
  queue_->Tick(0);
  AwaitStarted(5);
  queue_->StopColumn(columns[5]);  // waiting
  queue_->StopColumn(columns[2]);  // updating
  queue_->Enqueue(columns[5]);
  queue_->Enqueue(columns[2]);
  queue_->StopColumn(columns[6]);  // waiting, leaves
  EXPECT_EQ(queue_->size(), 7u);
  queue_->Tick(4000);
  AwaitStarted(6);
  EXPECT_EQ(observer_.started, (std::vector<int32_t>{1, 2, 3, 4, 5, 3}));
  EXPECT_EQ(observer_.done, (std::vector<int32_t>{7}));
  EXPECT_EQ(queue_->RunningCount(), 5);
  EXPECT_EQ(queue_->columns(),
            (std::vector<std::shared_ptr<Column>>{columns[0], columns[1], columns[2], columns[3],
                                                  columns[4], columns[5]}));
  // Two finish: column 6 is the only one left to start.
  network_->Release(UrlOf(1));
  network_->Release(UrlOf(3));
  AwaitFinished(*columns[0]);
  AwaitFinished(*columns[2]);
  queue_->Tick(8000);
  EXPECT_EQ(observer_.done, (std::vector<int32_t>{7, 1, 3}));
  EXPECT_EQ(observer_.started.back(), 6);
  EXPECT_EQ(queue_->RunningCount(), 4);
  queue_->StopAll();
}

TEST_F(UpdateQueueTest, ColumnWhoseThreadCannotStartLeavesWithErrorAndFreesItsSlot) {
  auto columns = AddColumns(6);
  columns[0]->SetUpdateThread(std::make_unique<UnstartableThread>());
  for (const auto& column : columns) queue_->Enqueue(column);
  queue_->Tick(0);
  AwaitStarted(5);  // the five others all got a slot
  EXPECT_EQ(columns[0]->last_result.load(), kUpdateStartFailure);
  queue_->Tick(4000);
  EXPECT_FALSE(queue_->Contains(*columns[0]));
  EXPECT_EQ(columns[0]->update_state.load(), kUpdateIdle);
}

// A stopped worker is handed off; whatever it does afterwards, it never writes its column,
// not even after the column was queued and started again.
TEST_F(UpdateQueueTest, StoppedWorkerNeverWritesTheColumnAgain) {
  auto column = AddColumns(1)[0];
  network_->Answer(column->url, FakeAnswer{0, RssFeed("Fresh", {"a", "b"})});
  queue_->Enqueue(column);
  queue_->Tick(0);
  AwaitStarted(1);
  queue_->StopColumns({column});
  EXPECT_EQ(column->update_state.load(), kUpdateIdle);
  EXPECT_EQ(column->last_result.load(), 0);
  EXPECT_TRUE(queue_->empty());

  queue_->Enqueue(column);
  queue_->Tick(4000);
  AwaitStarted(2);
  EXPECT_EQ(column->update_state.load(), kUpdateRunning);
  // The first run was stopped: it ends as a cancelled download and stores nothing.
  ASSERT_TRUE(WorkerThread::WaitForHandedOff(std::chrono::seconds(20)));
  EXPECT_EQ(column->update_state.load(), kUpdateRunning);
  {
    std::lock_guard<std::mutex> lock(column->lock);
    EXPECT_TRUE(column->channel.records.empty());
  }
  network_->Release(column->url);
  AwaitFinished(*column);
  queue_->Tick(8000);
  std::lock_guard<std::mutex> lock(column->lock);
  EXPECT_EQ(column->channel.records.size(), 2u);
  EXPECT_EQ(column->NewCount(), 2);
  EXPECT_EQ(column->etag, "\"e-" + column->url + "\"");
}

// Stopping never waits for a merge. The stopped worker finishes the merge it is in, so the
// column stays busy (the window reads it only under its lock) until the worker idles it; the
// update's result is dropped. Once idle, the column is shown anew, unless it was deleted (with
// its group) meanwhile.
TEST_F(UpdateQueueTest, StopDuringAMergeReturnsAtOnceAndTheWorkerIdlesTheColumnAfterIt) {
  std::atomic<bool> downloaded{false};
  auto services = std::make_shared<UpdateServices>();
  services->download = [&downloaded](Column&, DownloadStopper*) { return downloaded = true; };
  queue_ = std::make_unique<UpdateQueue>(tree_, services, &observer_);
  ASSERT_TRUE(EnsureCacheFolder());
  for (const bool deleted : {false, true}) {
    SCOPED_TRACE(deleted ? "deleted with its group" : "kept");
    auto group = std::make_shared<ColumnGroup>("G");
    tree_.Append(group);
    auto column = std::make_shared<Column>();
    column->id = deleted ? 2 : 1;
    column->url = UrlOf(column->id);
    group->AddChild(column);
    // A named pipe as the cache file holds the merge at its first read until the test writes.
    const std::string cache = CacheFilePath(*column);
    ASSERT_EQ(mkfifo(cache.c_str(), 0600), 0);
    downloaded = false;
    observer_.done.clear();
    queue_->Enqueue(column);
    queue_->Tick(0);
    ASSERT_TRUE(WaitUntil([&] {
      std::unique_lock<std::mutex> lock(column->lock, std::try_to_lock);
      return downloaded && !lock.owns_lock();
    }));

    auto stopping = std::async(std::launch::async, [&] { queue_->StopColumns({column}); });
    const bool returned = stopping.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    const int32_t state_after_stop = column->update_state.load();
    if (deleted) tree_.root().RemoveChild(group.get());
    group.reset();
    std::ofstream(cache) << RssFeed("Fresh", {"a", "b"});
    stopping.get();
    ASSERT_TRUE(returned) << "Stop waited for the merge";
    EXPECT_EQ(state_after_stop, kUpdateRunning);
    EXPECT_TRUE(queue_->empty());

    ASSERT_TRUE(WaitUntil([&] { return column->update_state.load() == kUpdateIdle; }));
    EXPECT_EQ(column->last_result.load(), 0);
    EXPECT_EQ(column->channel.records.size(), 2u);
    queue_->Tick(4000);
    EXPECT_EQ(observer_.done, deleted ? std::vector<int32_t>{} : std::vector<int32_t>{1});
  }
}

TEST_F(UpdateQueueTest, StopAllEmptiesTheQueueAndIdlesEveryColumn) {
  auto columns = AddColumns(7);
  for (const auto& column : columns) queue_->Enqueue(column);
  queue_->Tick(0);
  AwaitStarted(5);
  queue_->StopAll();
  EXPECT_TRUE(queue_->empty());
  for (const auto& column : columns) EXPECT_EQ(column->update_state.load(), kUpdateIdle);
  ASSERT_TRUE(WorkerThread::WaitForHandedOff(std::chrono::seconds(20)));
  EXPECT_EQ(network_->Running(), 0);
}

TEST_F(UpdateQueueTest, ColumnsSharingACacheFileNeverUpdateTogether) {
  auto columns = AddColumns(3);
  columns[1]->url = "https://feeds.test/1.xml";  // the cache file of http://feeds.test/1.xml
  for (const auto& column : columns) queue_->Enqueue(column);
  queue_->Tick(0);
  AwaitStarted(2);
  EXPECT_EQ(columns[1]->update_state.load(), kUpdateQueued);
  EXPECT_EQ(columns[2]->update_state.load(), kUpdateRunning);
  network_->Release(UrlOf(1));
  AwaitFinished(*columns[0]);
  queue_->Tick(4000);
  EXPECT_EQ(columns[1]->update_state.load(), kUpdateRunning);
}

TEST_F(UpdateQueueTest, SavesAHundredSecondsAfterTheQueueWasLastSeenEmpty) {
  auto column = AddColumns(1)[0];
  const struct {
    int64_t now_ms;
    bool enqueue_before;
    int saves;
  } ticks[] = {
      {0, false, 0},       // first seen empty
      {100000, false, 0},  // exactly 100 s: not yet
      {100001, false, 1},  // more than 100 s
      {150000, false, 1},  //
      {200001, false, 1},  // 100 s after the last save: not more
      {200002, false, 2},  //
      {210000, true, 2},   // queue busy: the mark is cleared
      {230000, false, 2},  // empty again: a new mark
      {330000, false, 2},  //
      {330001, false, 3},  //
  };
  for (const auto& tick : ticks) {
    SCOPED_TRACE(tick.now_ms);
    if (tick.enqueue_before) {
      queue_->Enqueue(column);
      queue_->Tick(tick.now_ms);
      AwaitStarted(1);
      network_->ReleaseAll();
      AwaitFinished(*column);
    } else {
      queue_->Tick(tick.now_ms);
    }
    EXPECT_EQ(saves_, tick.saves);
  }
}

TEST_F(UpdateQueueTest, CountersAreShownOnlyWhenTheyChange) {
  auto columns = AddColumns(2);
  network_->Answer(columns[0]->url, FakeAnswer{0, RssFeed("Fresh", {"a", "b"})});
  queue_->Enqueue(columns[0]);
  queue_->Tick(0);
  queue_->Tick(4000);
  AwaitStarted(1);
  queue_->Enqueue(columns[1]);
  queue_->Tick(8000);
  AwaitStarted(2);
  network_->Release(columns[0]->url);
  AwaitFinished(*columns[0]);
  queue_->Tick(12000);
  EXPECT_EQ(observer_.statuses,
            (std::vector<std::string>{"Updating: 1 In queue: 0", "Updating: 2 In queue: 0",
                                      "Updating: 1 In queue: 0"}));
  EXPECT_EQ(observer_.tooltip, "Updating: 1 In queue: 0\n Unread Enrties - 2");
  queue_->StopAll();
}

}  // namespace
}  // namespace tarsel
