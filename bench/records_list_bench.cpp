// The records list widget, offscreen: a refresh of a 50,000-record column from the model reset
// to the first paint, the same for a group of 1,000 columns x 100 records with unread records
// first, and the memory the list adds per row beyond the records themselves.
// Run: QT_QPA_PLATFORM=offscreen build/bench/records_list_bench

#include <malloc.h>

#include <QApplication>
#include <QTreeView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

#include "settings/settings.h"
#include "store/column.h"
#include "ui/records_list.h"
#include "ui/records_list_view.h"

namespace tarsel {
namespace {

std::shared_ptr<Column> MakeColumn(std::mt19937& random, int records, int first) {
  auto column = std::make_shared<Column>();
  column->channel.records.reserve(static_cast<size_t>(records));
  for (int i = 0; i < records; ++i) {
    auto record = std::make_shared<Record>();
    record->title = "Record number " + std::to_string(random() % 100000) + " of the bench";
    record->link = "http://news.example.com/articles/" + std::to_string(first + i);
    record->summary = "A summary of record " + std::to_string(first + i) +
                      " long enough to wrap over more than one line of the list when shown.";
    record->published = 1100000000 + static_cast<int32_t>(random() % 10000000);
    record->received = record->published;
    record->unread = random() % 3 == 0;
    column->channel.records.push_back(std::move(record));
  }
  return column;
}

double Milliseconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  const auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(end - start).count();
}

// The median of several refreshes from the model reset to the first paint.
double MedianRefresh(ui::RecordsList& list, const TreeNodeRef& node) {
  std::vector<double> times;
  for (int run = 0; run < 9; ++run) {
    list.ShowNode(nullptr);
    list.view()->viewport()->repaint();
    times.push_back(Milliseconds([&] {
      list.ShowNode(node);
      list.view()->viewport()->repaint();
    }));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

size_t HeapInUse() {
  return mallinfo2().uordblks;
}

}  // namespace
}  // namespace tarsel

int main(int argc, char** argv) {
  using namespace tarsel;
  QApplication application(argc, argv);
  std::mt19937 random(11);
  Settings settings;
  settings.unreaditems_first = true;
  settings.groupitems = GroupItemsMode::kAll;
  SetCurrentSettings(settings);

  ui::RecordsList list;
  list.resize(900, 600);
  list.show();

  const auto column = MakeColumn(random, 50000, 0);
  std::printf("refresh of a 50,000-record column: %.1f ms (median of 9)\n",
              MedianRefresh(list, column));

  auto group = std::make_shared<ColumnGroup>("group");
  for (int c = 0; c < 1000; ++c) group->AddChild(MakeColumn(random, 100, c * 100));
  std::printf("refresh of a group of 1,000 x 100, unread first: %.1f ms (median of 9)\n",
              MedianRefresh(list, group));

  list.ShowNode(nullptr);
  list.view()->viewport()->repaint();
  malloc_trim(0);
  const size_t before = HeapInUse();
  list.ShowNode(group);
  list.view()->viewport()->repaint();
  const size_t after = HeapInUse();
  std::printf("memory the list adds per row: %.1f bytes (100,000 rows)\n",
              static_cast<double>(after - before) / 100000.0);
  return 0;
}
