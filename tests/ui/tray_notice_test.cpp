#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <atomic>
#include <fstream>
#include <thread>
#include <vector>

#include "settings/settings.h"
#include "ui/notice_window.h"
#include "ui/sound_player.h"
#include "ui/tray_icon.h"
#include "ui/tray_minimizer.h"

namespace tarsel::ui {
namespace {

// Counts how often a widget is shown.
class ShowCounter : public QObject {
 public:
  int shows = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) ++shows;
    return false;
  }
};

// Sets the process-wide settings for one test and puts the defaults back after it.
class ScopedSettings {
 public:
  explicit ScopedSettings(const std::function<void(Settings&)>& change) {
    Settings settings;
    change(settings);
    SetCurrentSettings(settings);
  }
  ~ScopedSettings() { SetCurrentSettings(Settings()); }
};

std::string Line(int i) {
  return "\"Column " + std::to_string(i) + "\" updated (1 new records)\n";
}

TEST(NoticeWindowTest, WorkerTextsReachTheWindowThreadAsOneNotice) {
  std::atomic<int64_t> now{0};
  NoticeWindow notice([&now] { return now.load(); });
  ShowCounter counter;
  notice.installEventFilter(&counter);

  std::vector<std::thread> workers;
  for (int worker = 0; worker < 8; ++worker) {
    workers.emplace_back([&notice, worker] {
      for (int i = 0; i < 25; ++i) notice.ShowNotice(Line(worker * 25 + i));
    });
  }
  for (std::thread& worker : workers) worker.join();
  EXPECT_FALSE(notice.isVisible()) << "workers never touch the widget themselves";

  QCoreApplication::processEvents();
  EXPECT_TRUE(notice.isVisible());
  EXPECT_EQ(counter.shows, 1) << "200 texts in one tick make one notice";
  EXPECT_EQ(notice.objectName(), "OW_InfoTip");
  const QStringList shown = notice.ShownLines();
  ASSERT_FALSE(shown.isEmpty());
  EXPECT_TRUE(shown.last().contains("updated (1 new records)"));
  // Capped: readable, and never more than a third of the screen.
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE(notice.height(), std::min(kNoticeMaxHeight, screen.height() / 3));
  EXPECT_LT(shown.size(), 200);
}

// A screen reader hears the notice: an alert named by its lines.
TEST(NoticeWindowTest, IsAnAlertNamedByItsLines) {
  NoticeWindow notice([] { return int64_t{0}; });
  notice.ShowNotice("\"Alpha\" updated (2 new records)\n");
  QCoreApplication::processEvents();
  QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(&notice);
  ASSERT_NE(heard, nullptr);
  EXPECT_EQ(heard->role(), QAccessible::AlertMessage);
  EXPECT_EQ(heard->text(QAccessible::Name), QStringLiteral("\"Alpha\" updated (2 new records)"));
}

TEST(NoticeWindowTest, GrowsUpwardsAndHidesFourSecondsAfterTheLastText) {
  int64_t now = 0;
  NoticeWindow notice([&now] { return now; });
  notice.ShowNotice(Line(1));
  QCoreApplication::processEvents();
  ASSERT_TRUE(notice.isVisible());
  EXPECT_EQ(notice.height(), kNoticeMinHeight) << "one line is lower than the minimum";
  const QRect first = notice.geometry();
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(first.bottomRight(), area.bottomRight()) << "no panel: the bottom-right corner";

  now = 1000;
  notice.ShowNotice(Line(2) + Line(3) + Line(4));
  QCoreApplication::processEvents();
  EXPECT_EQ(notice.ShownLines().size(), 4);
  EXPECT_GT(notice.height(), first.height());
  EXPECT_EQ(notice.geometry().bottom(), first.bottom()) << "the bottom edge stays";

  now = 4999;
  notice.CheckHide();
  EXPECT_TRUE(notice.isVisible());
  now = 5000;
  notice.CheckHide();
  EXPECT_FALSE(notice.isVisible());
  EXPECT_TRUE(notice.ShownLines().isEmpty()) << "a hidden notice holds no text";

  now = 6000;
  notice.ShowNotice(Line(5));
  QCoreApplication::processEvents();
  EXPECT_EQ(notice.ShownLines(), QStringList{QString::fromStdString(Line(5)).trimmed()});
}

TEST(NoticeWindowTest, HugeTextStaysWithinTheCaps) {
  NoticeWindow notice;
  notice.ShowNotice(std::string(100 * 1024, 'W') + "\n" + std::string(100, '\n'));
  QCoreApplication::processEvents();
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE(notice.height(), std::min(kNoticeMaxHeight, area.height() / 3));
  EXPECT_LE(notice.width(), std::min(kNoticeMaxWidth, area.width() / 2));
  EXPECT_TRUE(area.contains(notice.geometry()));
}

TEST(NoticeWindowTest, MutedPopupsShowNothing) {
  ScopedSettings muted([](Settings& s) { s.mute_popups = true; });
  NoticeWindow notice;
  notice.ShowNotice(Line(1));
  QCoreApplication::processEvents();
  EXPECT_FALSE(notice.isVisible());
}

TEST(NoticeWindowTest, DesktopNotificationsWithoutServerFallBackToTheNotice) {
  // No session bus: an address nobody listens on, set before the bus is first used.
  qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/tarsel-test-bus");
  ScopedSettings desktop([](Settings& s) { s.desktop_notifications = true; });
  NoticeWindow notice;
  notice.ShowNotice(Line(1));
  QCoreApplication::processEvents();
  EXPECT_TRUE(notice.isVisible());
}

TEST(TrayIconTest, TooltipAnimationAndPictures) {
  TrayIcon tray(nullptr);
  tray.SetUnreadCount(3);
  EXPECT_EQ(tray.PictureName(), "unread");
  EXPECT_EQ(tray.ToolTip(), "") << "no tooltip before the queue's first counters";
  tray.SetQueueText("Updating: 2147483647 In queue: 2147483647\n Unread Enrties - 2147483647");
  EXPECT_EQ(tray.ToolTip(), "Updating: 2147483647 In queue: 2147483647\n Unread Enrties - 214");
  // Marks between two ticks: the unread line follows, the queue's line stays.
  tray.SetUnreadCount(5);
  EXPECT_EQ(tray.ToolTip(), "Updating: 2147483647 In queue: 2147483647\n Unread Enrties - 5");

  tray.SetAnimation(true);
  EXPECT_EQ(tray.PictureName(), "busy_1");
  tray.SetUnreadCount(0);
  EXPECT_EQ(tray.PictureName(), "busy_1") << "the animation wins over the unread state";
  EXPECT_TRUE(QTest::qWaitFor([&tray] { return tray.PictureName() == "busy_2"; }, 2000));
  tray.SetAnimation(false);
  EXPECT_EQ(tray.PictureName(), "read");
}

TEST(TrayMinimizerTest, MinimizedWindowLeavesTheTaskbarOnlyWithATray) {
  for (bool in_tray : {true, false}) {
    QMainWindow window;
    auto* minimizer = new TrayMinimizer(&window, [in_tray] { return in_tray; });
    window.showMaximized();
    window.showMinimized();
    QCoreApplication::processEvents();
    EXPECT_EQ(window.isVisible(), !in_tray) << in_tray;
    minimizer->Restore();
    EXPECT_TRUE(window.isVisible()) << in_tray;
    EXPECT_FALSE(window.isMinimized()) << in_tray;
    EXPECT_TRUE(window.isMaximized()) << "restored as it was: " << in_tray;
  }
}

TEST(TrayMinimizerTest, MinimizedStartStaysInTheTray) {
  QMainWindow window;
  TrayMinimizer* minimizer = new TrayMinimizer(&window, [] { return true; });
  window.showMinimized();
  window.show();
  QCoreApplication::processEvents();
  EXPECT_FALSE(window.isVisible());
  minimizer->Restore();
  EXPECT_TRUE(window.isVisible());
}

TEST(SoundPlayerTest, MissingOrCorruptFilesAreSilentAndWorkersDoNotWait) {
  QTemporaryDir folder;
  const std::string corrupt = folder.filePath("notify.wav").toStdString();
  std::ofstream(corrupt) << "RIFF this is no wave";
  SoundPlayer player;
  std::vector<std::thread> workers;
  for (int i = 0; i < 4; ++i) {
    workers.emplace_back([&player, &corrupt] {
      player.PlaySoundFile(corrupt);
      player.PlaySoundFile("/nonexistent/notify.wav");
    });
  }
  for (std::thread& worker : workers) worker.join();
  // The window thread takes the requests: the missing file never becomes a sound, the corrupt
  // one at most one silent effect (none without an audio device).
  QCoreApplication::processEvents();
  const QList<QSoundEffect*> effects = player.findChildren<QSoundEffect*>();
  EXPECT_LE(effects.size(), 1);
  for (const QSoundEffect* effect : effects) {
    EXPECT_EQ(effect->source(), QUrl::fromLocalFile(QString::fromStdString(corrupt)));
    EXPECT_FALSE(effect->isPlaying());
  }
}

}  // namespace
}  // namespace tarsel::ui
