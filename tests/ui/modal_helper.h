#pragma once

// Driving modal dialogs from a test: the test schedules what to do with the next modal window,
// then calls the function that opens it (and blocks in its own event loop).

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace tarsel::testing {

// Offers each modal window that is active (other than `except`) to `act` until it takes one
// (returns true).
inline void WhenModalTaken(std::function<bool(QWidget*)> act, QWidget* except = nullptr) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, act = std::move(act), except] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == except) return;
    timer->stop();
    if (act(modal)) {
      timer->deleteLater();
    } else {
      timer->start();
    }
  });
  timer->start();
}

// Runs `act` on the first modal window that opens (other than `except`), once.
inline void WhenModal(std::function<void(QWidget*)> act, QWidget* except = nullptr) {
  WhenModalTaken(
      [act = std::move(act)](QWidget* modal) {
        act(modal);
        return true;
      },
      except);
}

// Answers the next message box with `button`, keeping its text in `*text` when given.
inline void AnswerMessageBox(QMessageBox::StandardButton button, QString* text = nullptr,
                             QWidget* except = nullptr) {
  WhenModalTaken(
      [button, text](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) return false;
        if (text != nullptr) *text = box->text();
        box->done(button);
        return true;
      },
      except);
}

}  // namespace tarsel::testing
