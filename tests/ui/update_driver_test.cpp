#include "ui/update_driver.h"

#include <gtest/gtest.h>

#include <QTest>
#include <atomic>
#include <ctime>
#include <memory>

#include "store/column_tree.h"
#include "update/update_services.h"

namespace tarsel::ui {
namespace {

// Five columns run at once; the timer ticks every 4 s. Fifteen waiting columns would take three
// ticks (12 s) if the queue moved only on the timer: a finished worker must start the next at once.
TEST(UpdateDriverTest, FinishedWorkersStartTheWaitingColumnsWithoutWaitingForTheTimer) {
  ColumnTree tree;
  for (int i = 0; i < 15; ++i) {
    auto column = std::make_shared<Column>();
    column->url = "http://127.0.0.1:9/feed" + std::to_string(i) + ".xml";
    tree.AddColumn(column);
  }
  std::atomic<int> downloads{0};
  auto services = std::make_shared<UpdateServices>();
  services->download = [&downloads](Column&, DownloadStopper*) {
    ++downloads;
    return false;  // unchanged
  };
  UpdateQueueHooks hooks;
  hooks.is_connected = [] { return true; };
  {
    UpdateDriver driver(tree, services, hooks);
    driver.Start(static_cast<int32_t>(std::time(nullptr)));
    for (const auto& column : tree.Columns()) driver.queue().Enqueue(column);
    EXPECT_TRUE(QTest::qWaitFor([&downloads] { return downloads.load() == 15; }, 9000))
        << downloads.load() << " of 15 columns updated";
  }
  // Workers that finish after the driver is gone ask nobody for a tick.
  QTest::qWait(50);
}

// A command's columns start with the key press, not at the next 4 s tick; the start-up
// update, queued by the timers, waits for that tick (and then leaves with the command's).
TEST(UpdateDriverTest, CommandsStartAtOnceAndTimersWaitForTheTick) {
  ColumnTree tree;
  auto on_start = std::make_shared<Column>();
  on_start->url = "http://127.0.0.1:9/start.xml";
  on_start->update_on_start = true;
  on_start->update_interval = 0;
  auto asked = std::make_shared<Column>();
  asked->url = "http://127.0.0.1:9/asked.xml";
  tree.AddColumn(on_start);
  tree.AddColumn(asked);
  std::atomic<int> downloads{0};
  std::atomic<bool> asked_downloaded{false};
  auto services = std::make_shared<UpdateServices>();
  services->download = [&](Column& column, DownloadStopper*) {
    ++downloads;
    if (column.url == "http://127.0.0.1:9/asked.xml") asked_downloaded = true;
    return false;
  };
  UpdateQueueHooks hooks;
  hooks.is_connected = [] { return true; };
  UpdateDriver driver(tree, services, hooks);
  driver.Start(static_cast<int32_t>(std::time(nullptr)));
  QTest::qWait(200);
  EXPECT_EQ(downloads.load(), 0) << "the start-up update left before the tick";
  driver.queue().UpdateColumns({asked});
  EXPECT_TRUE(QTest::qWaitFor([&] { return asked_downloaded.load(); }, 2000));
  driver.Stop();
  QTest::qWait(50);
}

}  // namespace
}  // namespace tarsel::ui
