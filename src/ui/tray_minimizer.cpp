#include "ui/tray_minimizer.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace tarsel::ui {

TrayMinimizer::TrayMinimizer(QWidget* window, std::function<bool()> in_tray)
    : QObject(window), window_(window), in_tray_(std::move(in_tray)) {
  window_->installEventFilter(this);
}

void TrayMinimizer::Restore() {
  window_->setWindowState((window_->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  window_->show();
  window_->raise();
  window_->activateWindow();
}

void TrayMinimizer::TrayPresenceChanged(bool in_tray) {
  if (in_tray && window_->isVisible() && window_->isMinimized()) window_->hide();
}

bool TrayMinimizer::eventFilter(QObject* watched, QEvent* event) {
  const bool minimized = watched == window_ && window_->isMinimized();
  if (minimized && (event->type() == QEvent::WindowStateChange || event->type() == QEvent::Show) &&
      in_tray_()) {
    // Hiding inside the state change confuses some window managers: do it right after.
    QTimer::singleShot(0, window_, [this] {
      if (window_->isMinimized() && in_tray_()) window_->hide();
    });
  }
  return false;
}

}  // namespace tarsel::ui
