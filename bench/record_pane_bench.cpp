// Selection to painted body in the real record pane (offscreen): ShowRecord of a 5 KB record,
// the body written into the loaded theme page, until the pane has painted the new frame.
//
//   record_pane_bench                 the benchmark (run with QT_QPA_PLATFORM=offscreen,
//                                     QTWEBENGINE_DISABLE_SANDBOX=1 as root)
//   record_pane_bench --png FILE      renders the sample record once and saves a picture of it
//   record_pane_bench --first         the first record of a run, the web engine started for it

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "store/column.h"
#include "ui/record_view.h"

namespace tarsel {
namespace {

constexpr int kWaitMs = 20000;

std::string ThemeFolder() {
  return std::string(TARSEL_BENCH_DIR) + "/../theme/";
}

RecordRef SampleRecord(int number) {
  auto record = std::make_shared<Record>();
  record->title = "Servers & readers: what release " + std::to_string(number) + " changes";
  record->link = "http://news.example.com/2024/05/article-" + std::to_string(number) + ".html";
  record->comments = record->link + "#comments";
  while (record->description.size() < 5000) {
    record->description +=
        "<p>The market update of the reader notes that the feeds server and the news release "
        "go <b>hand in hand</b>, with <a href=\"http://other.example.org/1.html\">a link</a>, "
        "a <code>quoted()</code> call and an \xE9l\xE8ve's caf\xE9.</p>\n"
        "<blockquote>Readers keep what they like; the rest scrolls past.</blockquote>\n";
  }
  return record;
}

std::shared_ptr<Column> SampleColumn() {
  auto column = std::make_shared<Column>();
  column->name = "Example News";
  column->use_title_from_rss = false;
  column->channel.link = "http://news.example.com/";
  return column;
}

// True once the page has produced a frame after the body was written: an animation frame has
// run (style, layout and paint of the new body are done before it is shown) and the task after
// it too. Asked in the program's own script world.
constexpr char kArmFrameProbe[] =
    "window.tarselPainted = false; requestAnimationFrame(function () {"
    "  setTimeout(function () { window.tarselPainted = true; }, 0); });";

bool RunBool(QWebEnginePage* page, const char* script) {
  bool done = false, value = false;
  page->runJavaScript(QString::fromLatin1(script), QWebEngineScript::ApplicationWorld,
                      [&](const QVariant& result) {
                        value = result.toBool();
                        done = true;
                      });
  if (!QTest::qWaitFor([&] { return done; }, kWaitMs)) std::abort();
  return value;
}

struct Pane {
  Pane() : view(nullptr, ThemeFolder()) {
    view.resize(900, 700);
    view.show();
    view.MakeView();
    if (!QTest::qWaitFor([&] { return view.PageInitialized(); }, kWaitMs)) std::abort();
  }
  ui::RecordView view;
};

// One page load for all runs, as in the program; left to the process's end.
Pane* SharedPane() {
  static Pane* pane = new Pane;
  return pane;
}

// Until the body is in the page's document (before layout and paint).
void BM_SelectToWritten(benchmark::State& state) {
  Pane* pane = SharedPane();
  auto column = SampleColumn();
  int number = 1000;
  for (auto _ : state) {
    RecordRef record = SampleRecord(++number);
    bool rendered = false;
    auto connection =
        QObject::connect(&pane->view, &ui::RecordView::BodyRendered, [&] { rendered = true; });
    QElapsedTimer timer;
    timer.start();
    pane->view.ShowRecord(record, column);
    if (!QTest::qWaitFor([&] { return rendered; }, kWaitMs)) std::abort();
    state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) * 1e-9);
    QObject::disconnect(connection);
  }
}
BENCHMARK(BM_SelectToWritten)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(60);

void BM_SelectToPainted(benchmark::State& state) {
  Pane* pane = SharedPane();
  auto column = SampleColumn();
  int number = 0;
  for (auto _ : state) {
    RecordRef record = SampleRecord(++number);
    bool rendered = false;
    auto connection =
        QObject::connect(&pane->view, &ui::RecordView::BodyRendered, [&] { rendered = true; });
    QElapsedTimer timer;
    timer.start();
    pane->view.ShowRecord(record, column);
    if (!QTest::qWaitFor([&] { return rendered; }, kWaitMs)) std::abort();
    QWebEnginePage* page = pane->view.WebView()->page();
    RunBool(page, kArmFrameProbe);
    while (!RunBool(page, "window.tarselPainted === true")) {
    }
    state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) * 1e-9);
    QObject::disconnect(connection);
  }
}
BENCHMARK(BM_SelectToPainted)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(60);

int SavePicture(const char* path) {
  Pane pane;
  bool rendered = false;
  QObject::connect(&pane.view, &ui::RecordView::BodyRendered, [&] { rendered = true; });
  pane.view.ShowRecord(SampleRecord(1), SampleColumn());
  if (!QTest::qWaitFor([&] { return rendered; }, kWaitMs)) return 1;
  QTest::qWait(500);
  return pane.view.grab().save(QString::fromUtf8(path)) ? 0 : 1;
}

// The first record of a program run: the pane has made no web view yet, so the engine starts,
// loads the theme page and then writes the body. Prints the milliseconds to the body written.
int FirstRecordCold() {
  ui::RecordView view(nullptr, ThemeFolder());
  view.resize(900, 700);
  view.show();
  QTest::qWait(200);
  // The program's own event loop: QTest's polling wait starves the engine's start-up.
  QEventLoop loop;
  bool rendered = false;
  QObject::connect(&view, &ui::RecordView::BodyRendered, [&] {
    rendered = true;
    loop.quit();
  });
  QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
  QElapsedTimer timer;
  timer.start();
  view.ShowRecord(SampleRecord(1), SampleColumn());
  loop.exec();
  if (!rendered) return 1;
  std::printf("first record, engine started cold: %lld ms\n",
              static_cast<long long>(timer.elapsed()));
  return 0;
}

}  // namespace
}  // namespace tarsel

int main(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  if (argc == 3 && std::strcmp(argv[1], "--png") == 0) return tarsel::SavePicture(argv[2]);
  if (argc == 2 && std::strcmp(argv[1], "--first") == 0) return tarsel::FirstRecordCold();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
