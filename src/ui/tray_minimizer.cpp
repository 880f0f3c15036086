#include "ui/tray_minimizer.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

#include "settings/settings.h"

namespace tarsel::ui {

TrayMinimizer::TrayMinimizer(QWidget* window, std::function<bool()> in_tray)
    : QObject(window), window_(window), in_tray_(std::move(in_tray)) {
  window_->installEventFilter(this);
  // The session manager closes every window when the user logs out; a refusal would cancel
  // the logout.
  connect(
      qGuiApp, &QGuiApplication::commitDataRequest, this, [this] { close_allowed_ = true; },
      Qt::DirectConnection);
}

void TrayMinimizer::ShowAtStart() {
  if (!CurrentSettings()->minimize_on_start) {
    window_->show();
  } else if (!in_tray_()) {
    window_->showMinimized();
  }
  // else: the window stays hidden; the tray icon brings it.
}

void TrayMinimizer::Restore() {
  window_->setWindowState((window_->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  window_->show();
  window_->raise();
  window_->activateWindow();
}

void TrayMinimizer::MinimizeToTray() {
  if (in_tray_()) {
    window_->hide();
  } else {
    window_->showMinimized();
  }
}

bool TrayMinimizer::eventFilter(QObject* watched, QEvent* event) {
  if (watched != window_) return false;
  if (event->type() == QEvent::Close && !close_allowed_ && CurrentSettings()->minimize_on_close &&
      in_tray_()) {
    event->ignore();
    MinimizeToTray();
    return true;
  }
  if (event->type() == QEvent::WindowStateChange && window_->isMinimized() && in_tray_()) {
    // Hiding inside the state change confuses some window managers: do it right after.
    QTimer::singleShot(0, window_, [this] {
      if (window_->isMinimized()) window_->hide();
    });
  }
  return false;
}

}  // namespace tarsel::ui
