#include "ui/tray_presence.h"

#include <QAbstractItemModel>
#include <QWidget>
#include <chrono>

#include "ui/notice_window.h"
#include "ui/sound_player.h"
#include "ui/tray_icon.h"
#include "ui/tray_minimizer.h"
#include "update/worker_thread.h"

namespace tarsel::ui {

// How long the end of the program waits for update workers still finishing a column.
constexpr std::chrono::seconds kWorkerGrace{5};

TrayPresence::TrayPresence(QWidget* window, QMenu* tray_menu) : QObject(window) {
  tray_ = new TrayIcon(tray_menu, this);
  minimizer_ = new TrayMinimizer(window, [tray = tray_] { return tray->InTray(); });
  connect(tray_, &TrayIcon::RestoreRequested, minimizer_, &TrayMinimizer::Restore);
  connect(tray_, &TrayIcon::InTrayChanged, minimizer_, &TrayMinimizer::TrayPresenceChanged);
  // Not a child of the main window: the notice must stay up while the window is in the tray.
  notice_ = new NoticeWindow();
  sound_ = new SoundPlayer();
  unread_refresh_.setSingleShot(true);
  unread_refresh_.setInterval(0);
  connect(&unread_refresh_, &QTimer::timeout, this, [this] {
    if (unread_total_) tray_->SetUnreadCount(unread_total_());
  });
}

void TrayPresence::WatchUnread(QAbstractItemModel* model, std::function<int()> unread_total) {
  unread_total_ = std::move(unread_total);
  // Many labels change in one pass (an update, Mark All Read): one count afterwards.
  auto refresh = [this] { unread_refresh_.start(); };
  connect(model, &QAbstractItemModel::dataChanged, this, refresh);
  connect(model, &QAbstractItemModel::modelReset, this, refresh);
  connect(model, &QAbstractItemModel::rowsInserted, this, refresh);
  connect(model, &QAbstractItemModel::rowsRemoved, this, refresh);
  refresh();
}

TrayPresence::~TrayPresence() {
  tray_->Remove();
  notice_->hide();
  if (WorkerThread::WaitForHandedOff(kWorkerGrace)) {
    delete notice_;
    delete sound_;
  }
}

}  // namespace tarsel::ui
