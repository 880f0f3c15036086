#include "ui/focus_keeper.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace tarsel::ui {

FocusKeeper::FocusKeeper(QWidget* pane) : QObject(pane), pane_(pane) {
  connect(qApp, &QApplication::focusChanged, this, &FocusKeeper::OnFocusChanged);
}

void FocusKeeper::Guard(int milliseconds) {
  QWidget* focus = QApplication::focusWidget();
  // The user is in the pane already: nothing to keep.
  if (focus == nullptr || focus == pane_ || pane_->isAncestorOf(focus)) return;
  if (!holder_) qApp->installEventFilter(this);
  holder_ = focus;
  guard_ms_ = milliseconds;
  since_.start();
}

void FocusKeeper::EndAfter(int milliseconds) {
  if (!holder_) return;
  guard_ms_ = std::min<int64_t>(guard_ms_, since_.elapsed() + milliseconds);
}

bool FocusKeeper::eventFilter(QObject*, QEvent* event) {
  const auto* key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
  const bool tab = key != nullptr && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab);
  if (tab || event->type() == QEvent::MouseButtonPress || since_.elapsed() > guard_ms_) {
    holder_ = nullptr;
    qApp->removeEventFilter(this);
  }
  return false;
}

void FocusKeeper::OnFocusChanged(QWidget* old_focus, QWidget* new_focus) {
  if (!holder_ || old_focus != holder_ || since_.elapsed() > guard_ms_) return;
  const bool taken = new_focus == nullptr || new_focus == pane_ || pane_->isAncestorOf(new_focus);
  if (!taken) return;
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
