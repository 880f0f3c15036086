// The window thread's queue tick with 5 columns updating and 500 waiting: the walk of the queue,
// and the walk with the status counters changing (which counts the unread records of every
// column of the tree). Each column holds 100 records. Target: under 5 ms a tick.

#include <benchmark/benchmark.h>

#include <condition_variable>
#include <mutex>

#include "update/update_queue.h"
#include "update/worker_thread.h"

namespace tarsel {
namespace {

constexpr int kColumns = 505;
constexpr int kRecordsPerColumn = 100;

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

struct Rig {
  Rig() {
    for (int i = 0; i < kColumns; ++i) {
      auto column = std::make_shared<Column>();
      column->id = i + 1;
      column->name = "Column " + std::to_string(i);
      column->url = "http://127.0.0.1:9/feed" + std::to_string(i) + ".xml";
      for (int r = 0; r < kRecordsPerColumn; ++r) {
        auto record = std::make_shared<Record>();
        record->unread = r % 3 == 0;
        column->channel.records.push_back(record);
      }
      tree.Append(column);
    }
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

void BM_QueueTickSteady(benchmark::State& state) {
  Rig rig;
  int64_t now = 4000;
  for (auto _ : state) {
    rig.queue->Tick(now);
    now += 4000;
  }
  state.counters["running"] = rig.queue->RunningCount();
  state.counters["queued"] = static_cast<double>(rig.queue->size());
}
BENCHMARK(BM_QueueTickSteady)->Unit(benchmark::kMicrosecond);

// A waiting column more or less each time, so the tick shows new counters.
void BM_QueueTickCountersChange(benchmark::State& state) {
  Rig rig;
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
BENCHMARK(BM_QueueTickCountersChange)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarsel

BENCHMARK_MAIN();
