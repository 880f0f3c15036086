#include <gtest/gtest.h>

#include <QTest>
#include <atomic>
#include <ctime>
#include <memory>

#include "store/column_tree.h"
#include "ui/update_driver.h"
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

}  // namespace
}  // namespace tarsel::ui
