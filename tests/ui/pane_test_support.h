#pragma once

// Helpers for tests of the browser panes: a real web engine, offscreen.

#include <QSignalSpy>
#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <memory>
#include <string>

namespace tarsel::testing {

// Waits long enough for a busy machine; only a hang runs into it.
inline constexpr int kPageWaitMs = 20000;

// The theme shipped with the program (the source folder's theme/).
inline std::string ShippedThemeFolder() {
  return std::string(TARSEL_TEST_DATA) + "/../../theme/";
}

// Runs `script` and waits for its result.
inline QVariant RunScript(QWebEnginePage* page, const QString& script,
                          quint32 world = QWebEngineScript::MainWorld) {
  // The answer may come after the wait gave up, so it lands in state the callback shares.
  struct Answer {
    QVariant value;
    bool done = false;
  };
  auto answer = std::make_shared<Answer>();
  page->runJavaScript(script, world, [answer](const QVariant& value) {
    answer->value = value;
    answer->done = true;
  });
  (void)QTest::qWaitFor([&] { return answer->done; }, kPageWaitMs);
  return answer->value;
}

// Waits until `spy` has seen at least `count` signals.
inline bool WaitForCount(QSignalSpy& spy, int count) {
  return QTest::qWaitFor([&] { return spy.count() >= count; }, kPageWaitMs);
}

}  // namespace tarsel::testing
