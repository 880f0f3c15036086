#include "ui/web_engine_start.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWebEngineProfile>
#include <QWidget>

#include "pane_test_support.h"
#include "store/column.h"
#include "ui/record_view.h"

namespace tarsel::ui {
namespace {

TEST(WebEngineStartTest, ProcessModelKeepsTheUsersFlagsAndLimit) {
  struct Case {
    const char* name;
    const char* user;
    const char* expected;
  };
  const Case cases[] = {
      {"none", "", "--renderer-process-limit=1"},
      {"others kept", " --disable-gpu ", "--disable-gpu --renderer-process-limit=1"},
      {"user's limit wins", "--renderer-process-limit=4", "--renderer-process-limit=4"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WithProcessModelFlags(QString::fromLatin1(c.user)).toStdString(), c.expected)
        << c.name;
  }
}

// Feed pages leave nothing on disk, and the engine starts with the process model set.
TEST(WebEngineStartTest, PaneProfileKeepsCachesInMemory) {
  QWebEngineProfile* profile = PaneProfile();
  EXPECT_EQ(profile, QWebEngineProfile::defaultProfile()) << "tabs and the pane share it";
  EXPECT_EQ(profile->httpCacheType(), QWebEngineProfile::MemoryHttpCache);
  EXPECT_NE(profile->persistentCookiesPolicy(), QWebEngineProfile::ForcePersistentCookies);
  EXPECT_TRUE(
      qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS").contains("--renderer-process-limit"));
}

// The web view waits for the window's first paint: a hidden window starts nothing, a shown one
// starts once, after painting; a widget gone first starts nothing.
TEST(WebEngineStartTest, IdleStartComesOnceAfterTheFirstPaint) {
  int starts = 0;
  QWidget window;
  window.resize(200, 100);
  CallWhenIdleAfterFirstPaint(&window, [&starts] { ++starts; });
  QTest::qWait(100);
  EXPECT_EQ(starts, 0) << "never painted";
  window.show();
  EXPECT_TRUE(QTest::qWaitFor([&starts] { return starts > 0; }, 5000));
  window.update();
  QTest::qWait(100);
  EXPECT_EQ(starts, 1);

  int gone_starts = 0;
  {
    QWidget gone;
    CallWhenIdleAfterFirstPaint(&gone, [&gone_starts] { ++gone_starts; });
    gone.show();
    QCoreApplication::sendPostedEvents();
  }
  QTest::qWait(100);
  EXPECT_EQ(gone_starts, 0);
}

// A record pane that is never painted starts no engine until a record is shown.
TEST(WebEngineStartTest, RecordPaneMakesItsViewForTheFirstRecord) {
  RecordView pane(nullptr, testing::ShippedThemeFolder());
  QTest::qWait(100);
  EXPECT_FALSE(pane.HasView());
  pane.ShowNothing();
  EXPECT_FALSE(pane.HasView()) << "nothing to show needs no engine";
  auto column = std::make_shared<Column>();
  pane.ShowRecord(std::make_shared<Record>(), column);
  EXPECT_TRUE(pane.HasView());
}

}  // namespace
}  // namespace tarsel::ui
