#pragma once

// The pop-up notice (objectName "OW_InfoTip"): a small frameless, rounded tool window near the
// panel that shows the lines of the latest updates and hides itself 4 seconds after the last.
//
// Threads: the widget lives on the window thread. ShowNotice may be called from any thread (the
// update workers call it); it only stores the text under a lock and hands it to the window thread
// with one queued call, so a burst of texts from many workers arrives as one growing notice.
// Texts are bytes in the program's code page, shown as plain text.
//
// With the setting `desktop_notifications` on, the text goes to the desktop's notification
// server instead; when there is none, the notice shows it after all.

#include <QPixmap>
#include <QRect>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "platform/notifier.h"
#include "view/notice_layout.h"
#include "view/notice_timeline.h"

namespace tarsel::ui {

class DesktopNotifier;

class NoticeWindow : public QWidget, public tarsel::NoticeSink {
  Q_OBJECT

 public:
  // Milliseconds from a steady clock; tests pass their own.
  using Clock = std::function<int64_t()>;

  // A top-level window, created hidden; `clock` defaults to a monotonic clock.
  explicit NoticeWindow(Clock clock = {});
  ~NoticeWindow() override;

  // Any thread. Appends the text and shows the notice (nothing while `mute_popups` is on).
  void ShowNotice(const std::string& text) override;

  // Window thread. An icon drawn at the left of the text; a null pixmap for none.
  void SetIcon(const QPixmap& icon);

  // The lines the notice shows now (the newest that fit), for tests and accessibility.
  QStringList ShownLines() const { return shown_lines_; }

  // The hide timer's work: hides the notice and forgets its text once the time is up.
  // Public so tests with their own clock can fire it.
  void CheckHide();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void TakePendingText();
  void Present(const std::string& text);
  // Chooses the lines shown and returns the notice's size for them.
  NoticeSize LayOutLines(NoticeSize limit);
  void Relayout(bool fresh_placement);
  void ScheduleHide();
  // Shows the notice when hidden and tells assistive technology its lines.
  void AnnounceLines();
  NoticeRect WorkArea() const;

  Clock clock_;
  std::mutex pending_mutex_;
  std::string pending_;  // guarded by pending_mutex_; texts not yet taken by the window thread

  NoticeTimeline timeline_;
  QTimer hide_timer_;
  QPixmap icon_;
  QStringList shown_lines_;
  DesktopNotifier* desktop_ = nullptr;
};

}  // namespace tarsel::ui
