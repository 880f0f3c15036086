#pragma once

// The program's icon in the desktop's tray (objectName "TrayIcon"): a picture for "something
// unread" and one for "nothing unread", a turning arrow while the update queue holds columns,
// the update queue's counters as tooltip, the tray menu 253, and a click that asks for the main
// window back. When the desktop's tray comes back after a restart,
// the icon is added to it again. Window thread only.

#include <QIcon>
#include <QObject>
#include <QString>
#include <QTimer>
#include <vector>

#include "view/tray_animation.h"

class QMenu;
class QSystemTrayIcon;

namespace tarsel::ui {
class TrayWatch;
}

namespace tarsel::ui {

class TrayIcon : public QObject {
  Q_OBJECT

 public:
  // `menu` is the tray menu 253, built by the main window from its command table (not owned;
  // it must outlive the icon); null: no menu.
  explicit TrayIcon(QMenu* menu, QObject* parent = nullptr);
  ~TrayIcon() override;

  // Adds the icon to the tray (at start) and removes it (at exit).
  void Show();
  void Remove();
  // True while the icon stands in a tray the user can click: only then may the window hide.
  bool InTray() const;

  // The update queue's text ("Updating: %d In queue: %d\n Unread Enrties - %d", sent by the
  // queue tick when its numbers changed), cut to the 63 characters of a tray tooltip.
  void SetQueueText(const QString& text);
  // The queue holds columns (true) or became empty (false): the frames turn every 100 ms, or
  // the steady picture comes back.
  void SetAnimation(bool running);
  // The unread records of all columns: chooses the steady picture and, once the queue has
  // given its text, rewrites the tooltip's unread line (marks change it between ticks).
  void SetUnreadCount(int unread);

  QString ToolTip() const;
  bool Animating() const { return animation_.Running(); }
  // The picture shown now, by name ("unread", "read", "busy_1"...), for tests.
  QString PictureName() const { return picture_name_; }

 signals:
  // Left click or double click on the icon.
  void RestoreRequested();
  // The icon entered a tray (after Show, or when the desktop's tray came back) or lost it.
  void InTrayChanged(bool in_tray);

 private:
  void ShowPicture();
  void ShowToolTip(const QString& text);
  void NextFrame();
  void OnTrayAvailability(bool available);

  QSystemTrayIcon* icon_ = nullptr;
  QTimer frame_timer_;
  QTimer tray_watch_timer_;
  TrayWatch* tray_watch_ = nullptr;
  TrayAnimation animation_;
  QIcon unread_icon_;
  QIcon read_icon_;
  std::vector<QIcon> frames_;
  QString picture_name_;
  int unread_ = 0;
  // The queue's status line without the unread line, once the queue has spoken.
  QString queue_status_;
  bool queue_spoke_ = false;
  bool shown_ = false;
};

}  // namespace tarsel::ui
