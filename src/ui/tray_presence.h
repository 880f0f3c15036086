#pragma once

// What the program shows on the desktop outside its main window: the tray icon with its menu,
// the window's minimising into the tray, the pop-up notice and the update sound. The main window
// makes one (after its command table) and wires it with a few lines:
//
//   auto* presence = new TrayPresence(this, actions_->BuildMenu(kTrayMenu, this));
//   services->notice = presence->notice();   // the update engine's NoticeSink
//   services->sound = presence->sound();     // and SoundPlayer
//   connect(this, &MainWindow::QueueStatusChanged, presence->tray(), &TrayIcon::SetQueueText);
//   ...
//   presence->tray()->Show();                // once its signals are connected
//
// The notice and the sound player are handed to update workers. They go only after every worker
// has let go of them: at destruction (after the closing steps stopped the updates) this waits a
// little for handed-off workers, and when some are still running leaves both objects behind
// rather than pull them from under a worker; the process is ending then.
//
// Window thread only.

#include <QObject>
#include <QTimer>
#include <functional>

class QAbstractItemModel;

class QMenu;
class QWidget;

namespace tarsel::ui {

class NoticeWindow;
class SoundPlayer;
class TrayIcon;
class TrayMinimizer;

class TrayPresence : public QObject {
  Q_OBJECT

 public:
  // `window` is the main window (it becomes the parent); `tray_menu` the tray menu 253 built from
  // the command table (not owned; null for none).
  TrayPresence(QWidget* window, QMenu* tray_menu);
  ~TrayPresence() override;

  // Keeps the icon's unread picture current: whenever `model` (the columns tree) reports a
  // change, `unread_total` is asked once the events of the moment are handled.
  void WatchUnread(QAbstractItemModel* model, std::function<int()> unread_total);

  TrayIcon* tray() const { return tray_; }
  TrayMinimizer* minimizer() const { return minimizer_; }
  NoticeWindow* notice() const { return notice_; }
  SoundPlayer* sound() const { return sound_; }

 private:
  TrayIcon* tray_ = nullptr;
  TrayMinimizer* minimizer_ = nullptr;
  NoticeWindow* notice_ = nullptr;  // owned; a top-level window of its own
  SoundPlayer* sound_ = nullptr;    // owned
  QTimer unread_refresh_;
  std::function<int()> unread_total_;
};

}  // namespace tarsel::ui
