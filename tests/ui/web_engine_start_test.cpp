#include "ui/web_engine_start.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWebEngineProfile>

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

// A shown, painted record pane starts no engine until a record is shown.
TEST(WebEngineStartTest, RecordPaneMakesItsViewForTheFirstRecord) {
  RecordView pane(nullptr, testing::ShippedThemeFolder());
  pane.resize(200, 100);
  pane.show();
  QTest::qWait(100);
  EXPECT_FALSE(pane.HasView()) << "painting needs no engine";
  auto column = std::make_shared<Column>();
  pane.ShowRecord(nullptr, column);
  EXPECT_FALSE(pane.HasView()) << "nothing to show needs no engine";
  pane.ShowRecord(std::make_shared<Record>(), column);
  EXPECT_TRUE(pane.HasView());
}

}  // namespace
}  // namespace tarsel::ui
