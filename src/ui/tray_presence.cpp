#include "ui/tray_presence.h"

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
  // Not a child of the main window: the notice must stay up while the window is in the tray.
  notice_ = new NoticeWindow();
  sound_ = new SoundPlayer();
  tray_->Show();
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
