// Building what the records list shows: a 50,000-record column, a group of 1,000 columns of 100
// records with unread records first, the "Latest 100 unread" quick view over 100,000 records,
// and a header sort of the 50,000-record column.

#include <benchmark/benchmark.h>

#include <random>

#include "store/column.h"
#include "store/column_tree.h"
#include "view/quick_views.h"
#include "view/records_list_cells.h"
#include "view/records_view_model.h"

namespace tarsel {
namespace {

RecordRef MakeRecord(std::mt19937& random, int n) {
  auto record = std::make_shared<Record>();
  record->title = "Record number " + std::to_string(random() % 100000) + " of the bench";
  record->link = "http://news.example.com/articles/" + std::to_string(n);
  record->summary = "A summary of record " + std::to_string(n);
  record->published = 1100000000 + static_cast<int32_t>(random() % 10000000);
  record->received = record->published;
  record->unread = random() % 3 == 0;
  return record;
}

std::shared_ptr<Column> MakeColumn(std::mt19937& random, int records, int first) {
  auto column = std::make_shared<Column>();
  column->channel.records.reserve(static_cast<size_t>(records));
  for (int i = 0; i < records; ++i)
    column->channel.records.push_back(MakeRecord(random, first + i));
  return column;
}

ColumnTree MakeTree(int columns, int records_per_column) {
  std::mt19937 random(7);
  ColumnTree tree;
  auto group = std::make_shared<ColumnGroup>("all");
  for (int c = 0; c < columns; ++c) {
    group->AddChild(MakeColumn(random, records_per_column, c * records_per_column));
  }
  tree.Append(group);
  return tree;
}

void BM_ColumnOf50000(benchmark::State& state) {
  std::mt19937 random(3);
  const auto column = MakeColumn(random, 50000, 0);
  Settings settings;
  for (auto _ : state) {
    RecordsViewModel view = RecordsViewModel::BuildForNode(*column, settings);
    benchmark::DoNotOptimize(view.size());
  }
}
BENCHMARK(BM_ColumnOf50000)->Unit(benchmark::kMillisecond);

void BM_GroupOf1000x100UnreadFirst(benchmark::State& state) {
  const ColumnTree tree = MakeTree(1000, 100);
  Settings settings;
  settings.unreaditems_first = true;
  settings.groupitems = GroupItemsMode::kAll;
  for (auto _ : state) {
    RecordsViewModel view = RecordsViewModel::BuildForNode(*tree.nodes().front(), settings);
    benchmark::DoNotOptimize(view.size());
  }
}
BENCHMARK(BM_GroupOf1000x100UnreadFirst)->Unit(benchmark::kMillisecond);

void BM_Latest100UnreadOver100000(benchmark::State& state) {
  const ColumnTree tree = MakeTree(1000, 100);
  for (auto _ : state) {
    std::optional<RecordsViewModel> view = BuildQuickView(tree, 9, 1200000000);
    benchmark::DoNotOptimize(view->size());
  }
}
BENCHMARK(BM_Latest100UnreadOver100000)->Unit(benchmark::kMillisecond);

void BM_SortByReceived50000(benchmark::State& state) {
  std::mt19937 random(5);
  const auto column = MakeColumn(random, 50000, 0);
  RecordsViewModel view = RecordsViewModel::BuildForNode(*column, Settings{});
  for (auto _ : state) SortRowsByColumn(view.rows(), kReceivedColumn, true);
}
BENCHMARK(BM_SortByReceived50000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarsel

BENCHMARK_MAIN();
