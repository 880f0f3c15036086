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
#include <ctime>
#include <random>
#include <vector>

#include "settings/settings.h"
#include "store/column.h"
#include "ui/command_actions.h"
#include "ui/records_list.h"
#include "ui/records_list_view.h"
#include "ui/settings_owner.h"

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

// The thread's processor time: on a shared machine wall time mostly measures the neighbours.
double ThreadMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Shows `node` and paints the rows the viewport holds (the layout runs first).
void ShowAndPaint(ui::RecordsList& list, const TreeNodeRef& node) {
  list.ShowNode(node);
  list.view()->viewport()->repaint();
  if (node && !list.view()->indexAt(QPoint(5, 5)).isValid()) std::printf("(nothing painted)\n");
}

// The medians of several refreshes from the model reset to the first paint: processor time
// and wall time.
void PrintMedianRefresh(const char* what, ui::RecordsList& list, const TreeNodeRef& node) {
  std::vector<double> processor;
  std::vector<double> wall;
  for (int run = 0; run < 9; ++run) {
    ShowAndPaint(list, nullptr);
    const double start = ThreadMilliseconds();
    const auto wall_start = std::chrono::steady_clock::now();
    ShowAndPaint(list, node);
    processor.push_back(ThreadMilliseconds() - start);
    wall.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall_start)
            .count());
  }
  std::sort(processor.begin(), processor.end());
  std::sort(wall.begin(), wall.end());
  std::printf("%s: %.1f ms processor, %.1f ms wall (medians of 9)\n", what, processor[4], wall[4]);
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
  ui::SettingsOwner owner(settings);
  QWidget window;
  ui::CommandActions actions(&window);
  ui::RecordsList list(owner, actions);
  list.resize(900, 600);
  list.show();

  const auto column = MakeColumn(random, 50000, 0);
  PrintMedianRefresh("refresh of a 50,000-record column", list, column);

  auto group = std::make_shared<ColumnGroup>("group");
  for (int c = 0; c < 1000; ++c) group->AddChild(MakeColumn(random, 100, c * 100));
  PrintMedianRefresh("refresh of a group of 1,000 x 100, unread first", list, group);

  ShowAndPaint(list, nullptr);
  malloc_trim(0);
  const size_t before = HeapInUse();
  ShowAndPaint(list, group);
  const size_t after = HeapInUse();
  std::printf("memory the list adds per row: %.1f bytes (100,000 rows)\n",
              static_cast<double>(after - before) / 100000.0);
  return 0;
}
