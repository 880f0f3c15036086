// From start to a usable main window with 1,000 columns of 100 records each: the window built,
// shown and painted while a worker reads the stores, then the trees in and a column selected.
// Run offscreen, in a Release build: QT_QPA_PLATFORM=offscreen window_start_bench
// Target: under 1 s. Prints the time of each stage in milliseconds.

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <cstdio>
#include <filesystem>

#include "app/program_data.h"
#include "store/column.h"
#include "store/store_files.h"
#include "ui/columns_tree.h"
#include "ui/main_window.h"
#include "ui/store_loader.h"

namespace {

constexpr int kColumns = 1000;
constexpr int kRecordsPerColumn = 100;
constexpr int kGroups = 20;

std::string Text(int seed, size_t bytes) {
  static const char* const kWords[] = {"market", "update", "release", "server", "weather",
                                       "report", "the",    "of",      "feeds",  "column"};
  std::string text;
  while (text.size() < bytes) {
    text += kWords[(seed++ * 7) % 10];
    text += ' ';
  }
  return text;
}

// Writes a columns store of kGroups groups holding kColumns columns into `folder`.
void MakeStore(const std::string& folder) {
  tarsel::ProgramData data;
  data.data_folder = folder;
  int id = 1;
  for (int g = 0; g < kGroups; ++g) {
    auto group = std::make_shared<tarsel::ColumnGroup>("Group " + std::to_string(g));
    group->id = id++;
    for (int c = 0; c < kColumns / kGroups; ++c) {
      auto column = std::make_shared<tarsel::Column>();
      column->id = id++;
      column->name = "Column " + std::to_string(id);
      column->url = "http://127.0.0.1:9/" + std::to_string(id) + ".xml";
      column->channel.description = Text(id, 80);
      for (int r = 0; r < kRecordsPerColumn; ++r) {
        auto record = std::make_shared<tarsel::Record>();
        record->title = Text(r + id, 60);
        record->link = "http://example.com/" + std::to_string(id) + "/" + std::to_string(r);
        record->description = "<p>" + Text(r, 600) + "</p>";
        record->summary = Text(r, 200);
        record->unread = r % 4 == 0;
        column->channel.records.push_back(record);
      }
      group->AddChild(column);
    }
    data.columns.Append(group);
  }
  tarsel::SaveColumns(data);
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path home = std::filesystem::temp_directory_path() / "tarsel_start_bench";
  std::filesystem::remove_all(home);
  std::filesystem::create_directories(home / "Tarsel");
  setenv("XDG_DATA_HOME", home.c_str(), 1);
  MakeStore((home / "Tarsel").string());
  std::printf("store: %.1f MB\n",
              std::filesystem::file_size(home / "Tarsel" / "columns.dat") / 1e6);

  QElapsedTimer clock;
  clock.start();
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  const qint64 app_ms = clock.elapsed();
  // As the program starts: the stores are read on a worker while the window is built and shown.
  tarsel::ProgramData data;
  tarsel::LoadProgramSettings(data);
  tarsel::ui::StoreLoader loader(data);
  tarsel::ui::MainWindow window(data);
  window.show();
  window.RestoreLayout();
  window.WaitForStores(&loader);
  QApplication::processEvents();
  window.repaint();
  const qint64 shown_ms = clock.elapsed();
  QEventLoop until_loaded;
  QObject::connect(&loader, &tarsel::ui::StoreLoader::Loaded, &until_loaded, &QEventLoop::quit);
  if (!loader.Finished()) until_loaded.exec();
  window.columns_tree()->SelectNode(data.columns.Columns()[10].get());
  QApplication::processEvents();
  window.repaint();
  const qint64 usable_ms = clock.elapsed();
  std::printf("application %lld ms, window shown %lld ms, window usable %lld ms\n",
              static_cast<long long>(app_ms), static_cast<long long>(shown_ms),
              static_cast<long long>(usable_ms));
  std::printf("start to usable window: %lld ms (target < 1000)\n",
              static_cast<long long>(usable_ms));
  std::filesystem::remove_all(home);
  return 0;
}
