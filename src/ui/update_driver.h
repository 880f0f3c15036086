#pragma once

// Runs the update queue on the window thread from one timer, re-armed with the delay the
// scheduler asks for, and turns what the queue tells its observer into Qt signals. Updates run
// on worker threads; nothing here waits for one. A worker that finishes asks for a queue tick at
// once (a queued call), so the next waiting column starts without waiting for the timer: with a
// thousand columns, five at a time per 4 s tick would take over thirteen minutes. A column a
// command queues (Update All, Update Column, the tray's entry) asks for a tick at once too, so
// its first request leaves with the key press instead of up to 4 s later; columns the timers
// queue (due checks, the start-up update) wait for the tick as before.
//
// For benchmarks: when the environment names a file in TARSEL_QUEUE_LOG, every change of the
// queue's counters is appended there at once as a line "EPOCH_MS RUNNING WAITING", so a script
// outside sees when an update starts and when every column is idle again.
//
// Main thread only.

#include <QFile>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <memory>
#include <mutex>

#include "update/update_queue.h"
#include "view/update_scheduler.h"

namespace tarsel::ui {

class UpdateDriver : public QObject, public UpdateQueueObserver {
  Q_OBJECT

 public:
  // The tree must outlive the driver. The driver sets services->update_finished.
  UpdateDriver(ColumnTree& columns, std::shared_ptr<UpdateServices> services,
               UpdateQueueHooks hooks, QObject* parent = nullptr);
  ~UpdateDriver() override;

  UpdateQueue& queue() { return queue_; }
  // Starts the timers and the start-up update.
  void Start(int32_t last_version_check);
  // Stops the timers and every update (workers are abandoned, not waited for).
  void Stop();

  // UpdateQueueObserver
  void RefreshColumn(Column& column) override;
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
  // Shared with the workers: asks the window thread for one tick however many finish before it
  // runs, and nothing once the driver is gone.
  class FinishedWake {
   public:
    explicit FinishedWake(UpdateDriver* driver) : driver_(driver) {}
    void Request();   // any thread
    void Detach();    // window thread, before the driver goes
    void Answered();  // window thread, before the tick runs

   private:
    std::mutex mutex_;
    UpdateDriver* driver_;
    std::atomic<bool> pending_{false};
  };
  static std::shared_ptr<const UpdateServices> WithFinishedWake(
      std::shared_ptr<UpdateServices> services, const std::shared_ptr<FinishedWake>& wake);
  void OnTimer();
  void TickNow();

  std::shared_ptr<FinishedWake> wake_;
  bool timers_running_ = false;  // true while the scheduler's timers run: they queue for the tick
  SystemSchedulerClock clock_;
  UpdateQueue queue_;
  UpdateScheduler scheduler_;
  QTimer timer_;
  QFile queue_log_;
};

}  // namespace tarsel::ui
