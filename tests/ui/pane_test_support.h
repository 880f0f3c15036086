#pragma once

// Helpers for tests of the browser panes: a real web engine, offscreen.

#include <QSignalSpy>
#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>
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
  QVariant result;
  bool done = false;
  page->runJavaScript(script, world, [&](const QVariant& value) {
    result = value;
    done = true;
  });
  (void)QTest::qWaitFor([&] { return done; }, kPageWaitMs);
  return result;
}

// Waits until `spy` has seen at least `count` signals.
inline bool WaitForCount(QSignalSpy& spy, int count) {
  return QTest::qWaitFor([&] { return spy.count() >= count; }, kPageWaitMs);
}

}  // namespace tarsel::testing
