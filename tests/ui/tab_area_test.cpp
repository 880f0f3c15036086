#include "ui/tab_area.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTabBar>
#include <QWebEngineView>

#include "pane_test_support.h"
#include "settings/settings.h"
#include "support/fixture_server.h"
#include "ui/browser_tab.h"
#include "ui/command_actions.h"
#include "view/command_ids.h"

namespace tarsel::ui {
namespace {

using testing::WaitForCount;

class TabAreaTest : public ::testing::Test {
 protected:
  TabAreaTest() : page_(server_.Serve("/page", {200, kPage, "text/html"})) {
    SetCurrentSettings(Settings{});
    tabs_.SetFirstPage(new QWidget, QStringLiteral("Columns"), nullptr);
    tabs_.SetExternalOpener([this](const QString& url) { opened_outside_ << url; });
    tabs_.resize(640, 480);
    tabs_.show();
  }
  ~TabAreaTest() override { SetCurrentSettings(Settings{}); }

  QString Url() const { return QString::fromStdString(server_.Url("/page")); }

  static constexpr const char* kPage =
      "<html><head><title>Page &amp; title</title></head><body>text</body></html>";
  testing::FixtureServer server_;
  testing::FixtureServer::Endpoint page_;
  TabArea tabs_;
  QStringList opened_outside_;
};

TEST_F(TabAreaTest, LinksOpenTabsThatCloseToTheirNeighbour) {
  QSignalSpy left_side(&tabs_, &TabArea::LeftSideVisibilityRequest);
  for (const char* refused : {"file:///opt/tarsel/Theme/data.html", "file:///etc/passwd",
                              "javascript:alert(1)", "data:text/html,x"})
    tabs_.OpenLink(QString::fromLatin1(refused));
  EXPECT_EQ(tabs_.count(), 1);
  EXPECT_TRUE(opened_outside_.isEmpty());
  tabs_.CloseCurrentTab();  // the first tab never closes
  EXPECT_EQ(tabs_.count(), 1);

  tabs_.OpenLink(Url());
  ASSERT_EQ(tabs_.count(), 2);
  EXPECT_EQ(tabs_.currentIndex(), 1);
  BrowserTab* first = tabs_.BrowserTabAt(1);
  EXPECT_EQ(first->Address(), Url());  // the address it was opened for, from the start
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return tabs_.tabText(1) == "Page && title"; }, testing::kPageWaitMs));
  EXPECT_EQ(page_.Hits(), 1);
  ASSERT_GE(left_side.count(), 1);
  EXPECT_FALSE(left_side.last().at(0).toBool());

  tabs_.OpenLink(Url() + "?second");
  tabs_.OpenLink(Url() + "?third");
  tabs_.setCurrentIndex(2);
  tabs_.CloseCurrentTab();
  ASSERT_EQ(tabs_.count(), 3);
  EXPECT_EQ(tabs_.currentIndex(), 2);
  EXPECT_EQ(tabs_.BrowserTabAt(2)->Address(), Url() + "?third");

  tabs_.CloseAllTabs();
  EXPECT_EQ(tabs_.count(), 1);
  EXPECT_TRUE(left_side.last().at(0).toBool());
  EXPECT_TRUE(opened_outside_.isEmpty());
}

// A tab's menu runs the window's commands on the tab clicked, not on the active one; on the
// first tab, which is no browser tab, they show disabled for that showing only.
TEST_F(TabAreaTest, TheTabMenuActsOnTheTabClicked) {
  QWidget window;
  CommandActions actions(&window);
  tabs_.SetCommandActions(&actions);
  tabs_.OpenLink(Url() + "?first");
  tabs_.OpenLink(Url() + "?second");
  ASSERT_EQ(tabs_.currentIndex(), 2);
  const auto open_menu = [this](int index) {
    emit tabs_.tabBar()->customContextMenuRequested(tabs_.tabBar()->tabRect(index).center());
    return tabs_.findChild<QMenu*>(QStringLiteral("BrowserTabMenu"));
  };
  QAction* close_tab = actions.Action(cmd::kCloseTab);
  QMenu* menu = open_menu(1);
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(close_tab->isEnabled());
  close_tab->trigger();
  menu->close();
  ASSERT_EQ(tabs_.count(), 2);
  EXPECT_EQ(tabs_.BrowserTabAt(1)->Address(), Url() + "?second");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the closed menu goes

  menu = open_menu(0);
  ASSERT_NE(menu, nullptr);
  EXPECT_FALSE(close_tab->isEnabled());
  menu->close();
  EXPECT_TRUE(QTest::qWaitFor([&] { return close_tab->isEnabled(); }, 2000));
  EXPECT_EQ(actions.Target(), nullptr);
  // The key closes the active tab.
  actions.Run(cmd::kCloseTab);
  EXPECT_EQ(tabs_.count(), 1);
}

TEST_F(TabAreaTest, ExternalBrowserSettingMakesNoTab) {
  Settings settings;
  settings.external_browser = true;
  SetCurrentSettings(settings);
  tabs_.OpenLink(Url());
  tabs_.OpenLink(QStringLiteral("http://host/Theme/data.html#x"));
  EXPECT_EQ(tabs_.count(), 1);
  EXPECT_EQ(opened_outside_, QStringList{Url()});
}

TEST_F(TabAreaTest, TextSizeBelongsToTheActiveTab) {
  tabs_.OpenLink(Url());
  tabs_.OpenLink(Url() + "?other");
  tabs_.IncreaseTextSize();
  tabs_.IncreaseTextSize();
  EXPECT_EQ(tabs_.BrowserTabAt(2)->TextSizeLevel(), 5);
  EXPECT_EQ(tabs_.BrowserTabAt(1)->TextSizeLevel(), 3);
  // A finished load keeps the tab's level.
  ASSERT_TRUE(QTest::qWaitFor([&] { return page_.Hits() >= 2; }, testing::kPageWaitMs));
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return tabs_.BrowserTabAt(2)->WebView()->title() == "Page & title"; },
                      testing::kPageWaitMs));
  QTest::qWait(100);
  EXPECT_DOUBLE_EQ(tabs_.BrowserTabAt(2)->WebView()->zoomFactor(), 1.3);
}

}  // namespace
}  // namespace tarsel::ui
