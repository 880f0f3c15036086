// The update queue's own cost, on the driving thread.
//
// BM_QueueTickSteady: a tick with 5 columns updating and the rest waiting (the walk of the
// queue), at 505 columns of 100 records and at 1,000 and 5,000 columns.
// BM_QueueTickCountersChange: the same with the status counters changing, which counts the
// unread records of every column of the tree. Target for both: under 5 ms a tick.
// BM_QueueEnqueue: queuing N idle columns ("Update All Columns"), per column.
// BM_QueueDrain: an unchanged update of N columns as tarsel-cli runs it: downloads that bring
// nothing new, a tick each time a worker finishes. CPU is the driving thread's, per column;
// it should stay flat from 1,000 to 5,000 columns.

#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "update/update_queue.h"
#include "update/worker_thread.h"

namespace tarsel {
namespace {

// Downloads that hang until the benchmark ends, so five columns stay "updating".
struct HangingNetwork {
  std::mutex mutex;
  std::condition_variable released;
  bool done = false;
  bool Download(DownloadStopper*) {
    std::unique_lock<std::mutex> lock(mutex);
    released.wait(lock, [this] { return done; });
    return false;
  }
  void Release() {
    std::lock_guard<std::mutex> lock(mutex);
    done = true;
    released.notify_all();
  }
};

class CountingObserver final : public UpdateQueueObserver {
 public:
  void ShowQueueStatus(const std::string& status, const std::string&) override {
    benchmark::DoNotOptimize(status.data());
  }
};

// Like tarsel-cli's report: no status counters.
class QuietObserver final : public UpdateQueueObserver {
 public:
  bool WantsQueueStatus() const override { return false; }
};

void AddColumns(ColumnTree& tree, int columns, int records) {
  for (int i = 0; i < columns; ++i) {
    auto column = std::make_shared<Column>();
    column->id = i + 1;
    column->name = "Column " + std::to_string(i);
    column->url = "http://127.0.0.1:9/feed" + std::to_string(i) + ".xml";
    for (int r = 0; r < records; ++r) {
      auto record = std::make_shared<Record>();
      record->unread = r % 3 == 0;
      column->channel.records.push_back(record);
    }
    tree.Append(column);
  }
}

struct Rig {
  Rig(int columns, int records) {
    AddColumns(tree, columns, records);
    extra = std::make_shared<Column>();
    extra->url = "http://127.0.0.1:9/extra.xml";
    auto services = std::make_shared<UpdateServices>();
    services->download = [this](Column&, DownloadStopper* stopper) {
      return network.Download(stopper);
    };
    queue = std::make_unique<UpdateQueue>(tree, services, &observer);
    for (const auto& column : tree.Columns()) queue->Enqueue(column);
    queue->Tick(0);  // five start
  }
  ~Rig() {
    network.Release();
    queue->StopAll();
    WorkerThread::WaitForHandedOff(std::chrono::seconds(10));
  }

  ColumnTree tree;
  std::shared_ptr<Column> extra;
  HangingNetwork network;
  CountingObserver observer;
  std::unique_ptr<UpdateQueue> queue;
};

// 505 columns hold 100 records each; the larger trees 20.
int RecordsFor(int columns) {
  return columns <= 505 ? 100 : 20;
}

void BM_QueueTickSteady(benchmark::State& state) {
  const int columns = static_cast<int>(state.range(0));
  Rig rig(columns, RecordsFor(columns));
  int64_t now = 4000;
  for (auto _ : state) {
    rig.queue->Tick(now);
    now += 4000;
  }
  state.counters["running"] = rig.queue->RunningCount();
  state.counters["queued"] = static_cast<double>(rig.queue->size());
}
BENCHMARK(BM_QueueTickSteady)->Arg(505)->Arg(1000)->Arg(5000)->Unit(benchmark::kMicrosecond);

// A waiting column more or less each time, so the tick shows new counters.
void BM_QueueTickCountersChange(benchmark::State& state) {
  const int columns = static_cast<int>(state.range(0));
  Rig rig(columns, RecordsFor(columns));
  int64_t now = 4000;
  bool add = true;
  for (auto _ : state) {
    state.PauseTiming();
    if (add) {
      rig.queue->Enqueue(rig.extra);
    } else {
      rig.queue->StopColumns({rig.extra});
    }
    add = !add;
    state.ResumeTiming();
    rig.queue->Tick(now);
    now += 4000;
  }
}
BENCHMARK(BM_QueueTickCountersChange)->Arg(505)->Arg(5000)->Unit(benchmark::kMicrosecond);

void BM_QueueEnqueue(benchmark::State& state) {
  const int columns = static_cast<int>(state.range(0));
  ColumnTree tree;
  AddColumns(tree, columns, 0);
  QuietObserver observer;
  for (auto _ : state) {
    UpdateQueue queue(tree, nullptr, &observer);
    for (const auto& column : tree.Columns()) queue.Enqueue(column);
    state.PauseTiming();
    queue.StopAll();
    state.ResumeTiming();
  }
  state.counters["per_column"] = benchmark::Counter(
      static_cast<double>(columns),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_QueueEnqueue)->Arg(1000)->Arg(5000)->Unit(benchmark::kMicrosecond);

// Wakes the driving loop when a worker finishes, as tarsel-cli's pipe does.
struct FinishSignal {
  std::mutex mutex;
  std::condition_variable changed;
  uint64_t finished = 0;
  void Notify() {
    std::lock_guard<std::mutex> lock(mutex);
    ++finished;
    changed.notify_one();
  }
  void WaitPast(uint64_t seen) {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait_for(lock, std::chrono::milliseconds(100), [&] { return finished != seen; });
  }
  uint64_t Seen() {
    std::lock_guard<std::mutex> lock(mutex);
    return finished;
  }
};

void BM_QueueDrain(benchmark::State& state) {
  const int columns = static_cast<int>(state.range(0));
  ColumnTree tree;
  AddColumns(tree, columns, 0);
  FinishSignal signal;
  auto services = std::make_shared<UpdateServices>();
  services->download = [](Column&, DownloadStopper*) { return false; };
  services->update_finished = [&signal] { signal.Notify(); };
  QuietObserver observer;
  int64_t now = 0;
  for (auto _ : state) {
    UpdateQueue queue(tree, services, &observer);
    for (const auto& column : tree.Columns()) queue.Enqueue(column);
    while (!queue.empty()) {
      const uint64_t seen = signal.Seen();
      queue.Tick(now += 4000);
      benchmark::DoNotOptimize(queue.RunningCount());
      if (!queue.empty()) signal.WaitPast(seen);
    }
  }
  WorkerThread::WaitForHandedOff(std::chrono::seconds(10));
  state.counters["per_column"] = benchmark::Counter(
      static_cast<double>(columns),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_QueueDrain)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace tarsel

BENCHMARK_MAIN();
