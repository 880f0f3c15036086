#pragma once

// Lets the main window live in the tray: minimising hides it from the taskbar, closing it
// minimises it when `minimize_on_close` is on, and with `minimize_on_start` on it starts there.
// Installed as an event filter on the main window, so the window itself needs no code for it.
//
// The window hides only while the tray icon stands in a tray (`in_tray`); without a tray,
// minimise and close behave as usual, so the user never loses the window. At the end of the
// desktop session, and after AllowClose (the Exit command), a close really closes.
// Window thread only.

#include <QObject>
#include <functional>

class QWidget;

namespace tarsel::ui {

class TrayMinimizer : public QObject {
  Q_OBJECT

 public:
  // `window` is the main window (not owned; the minimizer is its child); `in_tray` tells whether
  // the tray icon is in a tray now (TrayIcon::InTray).
  TrayMinimizer(QWidget* window, std::function<bool()> in_tray);

  // At start, instead of window->show(): the window shows, or stays in the tray with
  // `minimize_on_start` on.
  void ShowAtStart();
  // "Restore" (40221) and a click on the tray icon: the window comes back to the taskbar, in
  // front, with its maximised state.
  void Restore();
  // Before closing for good ("Exit"): the close that follows ends the window.
  void AllowClose() { close_allowed_ = true; }
  // Hides the window into the tray (when there is one; else minimises it).
  void MinimizeToTray();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  std::function<bool()> in_tray_;
  bool close_allowed_ = false;
};

}  // namespace tarsel::ui
