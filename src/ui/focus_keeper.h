#pragma once

// Keeps the keyboard where the user put it while a pane does work the user did not click into.
// Starting the web engine and loading its page takes the focus away on X11 (the engine's
// offscreen window deactivates the application), which would send the next key of someone
// reading from the keyboard into the page instead of the records list. For a short while after
// Guard(), a focus that leaves the widget holding it for nothing, or for a widget inside
// `pane`, is given back. A click or a Tab of the user's ends the guard: they move the focus on
// purpose. Window thread only.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <cstdint>

class QWidget;

namespace tarsel::ui {

class FocusKeeper : public QObject {
  Q_OBJECT

 public:
  explicit FocusKeeper(QWidget* pane);

  // From now for `milliseconds`, the widget that has the focus now keeps it.
  void Guard(int milliseconds);
  // The work is done: the guard ends `milliseconds` from now at the latest, so that a user who
  // then turns to another program is not called back.
  void EndAfter(int milliseconds);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnFocusChanged(QWidget* old_focus, QWidget* new_focus);
  void GiveBack();

  QWidget* pane_;
  QPointer<QWidget> holder_;
  QElapsedTimer since_;
  int64_t guard_ms_ = 0;
};

}  // namespace tarsel::ui
