#pragma once

// Lets the main window live in the tray: a minimised window is hidden, so it leaves the taskbar
// and only the tray icon remains; Restore brings it back. The main window's close box turns
// into Minimize on its own (with `minimize_on_close`, while the icon is in a tray), and
// `minimize_on_start` starts it minimised: both then end here. Installed as an event filter on
// the main window, so the window needs no code for it.
//
// The window hides only while the tray icon stands in a tray (`in_tray`); without one, it stays
// minimised on the taskbar as usual, so the user never loses it. Window thread only.

#include <QObject>
#include <functional>

class QWidget;

namespace tarsel::ui {

class TrayMinimizer : public QObject {
  Q_OBJECT

 public:
  // `window` is the main window (not owned; the minimizer becomes its child); `in_tray` tells
  // whether the tray icon is in a tray now (TrayIcon::InTray).
  TrayMinimizer(QWidget* window, std::function<bool()> in_tray);

  // "Restore" (40221) and a click on the tray icon: the window comes back to the taskbar, in
  // front, maximised again when it was.
  void Restore();
  // The tray icon entered a tray or left it: a window minimised before the tray was known to
  // be there (at start, the bus answers later) goes into it now.
  void TrayPresenceChanged(bool in_tray);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  std::function<bool()> in_tray_;
};

}  // namespace tarsel::ui
