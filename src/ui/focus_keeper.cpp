#include "ui/focus_keeper.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace tarsel::ui {

FocusKeeper::FocusKeeper(QWidget* pane) : QObject(pane), pane_(pane) {
  connect(qApp, &QApplication::focusChanged, this, &FocusKeeper::OnFocusChanged);
}

void FocusKeeper::Guard(int milliseconds) {
  QWidget* focus = QApplication::focusWidget();
  // The user is in the pane already: nothing to keep.
  if (focus == nullptr || focus == pane_ || pane_->isAncestorOf(focus)) return;
  holder_ = focus;
  guard_ms_ = milliseconds;
  since_.start();
}

void FocusKeeper::OnFocusChanged(QWidget* old_focus, QWidget* new_focus) {
  if (!holder_ || old_focus != holder_ || since_.elapsed() > guard_ms_) return;
  const bool taken = new_focus == nullptr || new_focus == pane_ || pane_->isAncestorOf(new_focus);
  if (!taken || QApplication::mouseButtons() != Qt::NoButton) return;
  // After the engine is done with the change that took it.
  QTimer::singleShot(0, this, &FocusKeeper::GiveBack);
}

void FocusKeeper::GiveBack() {
  if (!holder_ || !holder_->isVisible()) return;
  QWidget* focus = QApplication::focusWidget();
  if (focus != nullptr && focus != pane_ && !pane_->isAncestorOf(focus)) return;
  holder_->activateWindow();
  holder_->setFocus(Qt::OtherFocusReason);
}

}  // namespace tarsel::ui
