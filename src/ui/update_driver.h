#pragma once

// Runs the update queue on the window thread from one timer, re-armed with the delay the
// scheduler asks for, and turns what the queue tells its observer into Qt signals. Updates run
// on worker threads; nothing here waits for one.
//
// Main thread only.

#include <QObject>
#include <QTimer>
#include <memory>

#include "update/update_queue.h"
#include "view/update_scheduler.h"

namespace tarsel::ui {

class UpdateDriver : public QObject, public UpdateQueueObserver {
  Q_OBJECT

 public:
  // The tree must outlive the driver.
  UpdateDriver(ColumnTree& columns, std::shared_ptr<const UpdateServices> services,
               UpdateQueueHooks hooks, QObject* parent = nullptr);
  ~UpdateDriver() override;

  UpdateQueue& queue() { return queue_; }
  // Starts the timers and the start-up update.
  void Start(int32_t last_version_check);
  // Stops the timers and every update (workers are abandoned, not waited for).
  void Stop();

  // UpdateQueueObserver
  void RefreshColumn(Column& column) override { emit ColumnChanged(&column); }
  void UpdateDone(Column& column) override { emit ColumnUpdated(&column); }
  void ShowQueueStatus(const std::string& status, const std::string& tooltip) override;
  void SetAnimation(bool running) override { emit AnimationChanged(running); }
  void ShowMessage(const std::string& caption, const std::string& text) override;

 signals:
  void ColumnChanged(tarsel::Column* column);
  void ColumnUpdated(tarsel::Column* column);
  void QueueStatus(int running, int waiting, QString status, QString tooltip);
  void AnimationChanged(bool running);
  void MessageRequested(QString caption, QString text);
  void VersionCheckDue();

 private:
  void OnTimer();

  SystemSchedulerClock clock_;
  UpdateQueue queue_;
  UpdateScheduler scheduler_;
  QTimer timer_;
};

}  // namespace tarsel::ui
