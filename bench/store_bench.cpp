// Saving and loading a columns store of 1,000 columns with 100 records each (about 150 MB),
// in memory and through files (without flushing to the disk).

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <random>

#include "store/store_files.h"

namespace tarsel {
namespace {

constexpr int kColumns = 1000;
constexpr int kRecordsPerColumn = 100;

class TextMaker {
 public:
  std::string Words(size_t bytes) {
    static const char* const kWords[] = {
        "market",  "update",    "release", "server", "weather", "report",  "the",  "of",
        "and",     "feeds",     "column",  "reader", "notes",   "Linux",   "news", "a",
        "quickly", "announced", "version", "today",  "people",  "project", "with", "about"};
    std::string text;
    text.reserve(bytes + 16);
    while (text.size() < bytes) {
      text += kWords[random_() % std::size(kWords)];
      text += ' ';
    }
    text.resize(bytes);
    return text;
  }
  std::string Html(size_t bytes) {
    std::string html;
    while (html.size() < bytes) {
      html += "<p>" + Words(180) + " <a href=\"http://example.com/" + std::to_string(random_()) +
              "\">more</a></p>\n";
    }
    return html;
  }
  uint32_t Number() { return random_(); }

 private:
  std::mt19937 random_{2024};
};

RecordRef MakeRecord(TextMaker& text, int n) {
  auto record = std::make_shared<Record>();
  record->title = text.Words(60);
  record->link = "http://news.example.com/articles/" + std::to_string(text.Number());
  record->comments = record->link + "#comments";
  record->author = "Writer " + std::to_string(n % 17);
  record->subject = "Category " + std::to_string(n % 9);
  record->guid = record->link;
  record->description = text.Html(1150);
  record->summary = text.Words(250);
  record->received = 1100000000 + n;
  record->published = 1100000000 + n;
  record->unread = n % 2 == 0;
  return record;
}

ColumnTree& SampleTree() {
  static ColumnTree* tree = [] {
    auto* built = new ColumnTree;
    TextMaker text;
    std::shared_ptr<ColumnGroup> group;
    for (int c = 0; c < kColumns; ++c) {
      if (c % 50 == 0) {
        group = std::make_shared<ColumnGroup>("Group " + std::to_string(c / 50));
        group->id = c + 100000;
        built->Append(group);
      }
      auto column = std::make_shared<Column>();
      column->id = c + 1;
      column->name = "Column " + std::to_string(c);
      column->url = "http://feeds.example.com/" + std::to_string(c) + "/rss.xml";
      column->channel.title = text.Words(40);
      column->channel.description = text.Words(200);
      column->filters.push_back({"spam", kFilterContains, kFilterDecline, kFilterTitle});
      for (int r = 0; r < kRecordsPerColumn; ++r) {
        column->channel.records.push_back(MakeRecord(text, r));
      }
      group->AddChild(column);
    }
    return built;
  }();
  return *tree;
}

const std::string& SampleBytes() {
  static const std::string bytes = WriteColumnStore(SampleTree(), StoreOptions{});
  return bytes;
}

// A private folder under the system's temporary folder, removed when the benchmark ends: the
// stores written here are 150 MB each and belong nowhere near the source tree.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarsel-store-bench-XXXXXX");
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::string DataFolder() {
  static const ScratchFolder folder;
  return folder.path();
}

StoreOptions NoSync() {
  StoreOptions options;
  options.sync = false;
  return options;
}

void BM_SaveToMemory(benchmark::State& state) {
  ColumnTree& tree = SampleTree();
  for (auto _ : state) {
    std::string bytes = WriteColumnStore(tree, StoreOptions{});
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(SampleBytes().size()));
}

void BM_LoadFromMemory(benchmark::State& state) {
  const std::string& bytes = SampleBytes();
  for (auto _ : state) {
    auto tree = std::make_unique<ColumnTree>();
    ReadColumnStore(bytes, *tree, StoreOptions{});
    benchmark::DoNotOptimize(tree.get());
    state.PauseTiming();
    tree.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}

void BM_SaveToFile(benchmark::State& state) {
  ColumnTree& tree = SampleTree();
  const std::string folder = DataFolder();
  if (folder.empty()) return state.SkipWithError("no temporary folder");
  for (auto _ : state) {
    if (!SaveColumnStore(tree, folder, NoSync())) state.SkipWithError("save failed");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(SampleBytes().size()));
}

void BM_LoadFromFile(benchmark::State& state) {
  const std::string folder = DataFolder();
  if (folder.empty()) return state.SkipWithError("no temporary folder");
  SaveColumnStore(SampleTree(), folder, NoSync());
  for (auto _ : state) {
    auto tree = std::make_unique<ColumnTree>();
    if (!LoadColumnStore(*tree, folder, NoSync())) state.SkipWithError("load failed");
    state.PauseTiming();
    tree.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(SampleBytes().size()));
}

BENCHMARK(BM_SaveToMemory)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_LoadFromMemory)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond)->MinTime(3);

}  // namespace
}  // namespace tarsel

BENCHMARK_MAIN();
