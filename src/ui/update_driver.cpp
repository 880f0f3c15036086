#include "ui/update_driver.h"

#include <QDateTime>

#include "ui/qt_text.h"
#include "view/main_window_text.h"
#include "view/tray_tooltip.h"

namespace tarsel::ui {

void UpdateDriver::FinishedWake::Request() {
  if (pending_.exchange(true)) return;
  std::lock_guard<std::mutex> lock(mutex_);
  if (driver_ == nullptr) return;
  // A call posted to an object that is deleted before it runs is dropped by Qt.
  QMetaObject::invokeMethod(
      driver_, [driver = driver_] { driver->TickNow(); }, Qt::QueuedConnection);
}

void UpdateDriver::FinishedWake::Detach() {
  std::lock_guard<std::mutex> lock(mutex_);
  driver_ = nullptr;
}

void UpdateDriver::FinishedWake::Answered() {
  pending_ = false;
}

std::shared_ptr<const UpdateServices> UpdateDriver::WithFinishedWake(
    std::shared_ptr<UpdateServices> services, const std::shared_ptr<FinishedWake>& wake) {
  services->update_finished = [wake] { wake->Request(); };
  return services;
}

UpdateDriver::UpdateDriver(ColumnTree& columns, std::shared_ptr<UpdateServices> services,
                           UpdateQueueHooks hooks, QObject* parent)
    : QObject(parent),
      wake_(std::make_shared<FinishedWake>(this)),
      queue_(columns, WithFinishedWake(std::move(services), wake_), this, std::move(hooks)),
      scheduler_(queue_, clock_, [this] { emit VersionCheckDue(); }) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &UpdateDriver::OnTimer);
  const QString log_path = qEnvironmentVariable("TARSEL_QUEUE_LOG");
  if (!log_path.isEmpty()) {
    queue_log_.setFileName(log_path);
    (void)queue_log_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
  }
}

UpdateDriver::~UpdateDriver() {
  wake_->Detach();
  Stop();
}

void UpdateDriver::Start(int32_t last_version_check) {
  timers_running_ = true;
  scheduler_.Start(last_version_check);
  timers_running_ = false;
  OnTimer();
}

void UpdateDriver::Stop() {
  timer_.stop();
  scheduler_.Stop();
  queue_.StopAll();
}

void UpdateDriver::OnTimer() {
  timers_running_ = true;
  const int64_t wait = scheduler_.RunDue();
  timers_running_ = false;
  if (wait >= 0) timer_.start(static_cast<int>(wait));
}

void UpdateDriver::TickNow() {
  // Cleared first, so that a worker finishing during this tick asks for the next one.
  wake_->Answered();
  if (scheduler_.running()) queue_.Tick(clock_.NowMs());
}

void UpdateDriver::RefreshColumn(Column& column) {
  if (!timers_running_ && column.update_state.load() == kUpdateQueued) wake_->Request();
  emit ColumnChanged(&column);
}

// The queue's texts are English; the window shows the string table's.
void UpdateDriver::ShowQueueStatus(const std::string& /*status*/, const std::string& /*tooltip*/) {
  const int running = queue_.RunningCount();
  const int waiting = static_cast<int>(queue_.size()) - running;
  const std::string status = QueueStatusText(running, waiting);
  const std::string tooltip = QueueTooltipText(status, queue_.UnreadTotal());
  if (queue_log_.isOpen()) {
    queue_log_.write(QByteArray::number(QDateTime::currentMSecsSinceEpoch()) + ' ' +
                     QByteArray::number(running) + ' ' + QByteArray::number(waiting) + '\n');
  }
  emit QueueStatus(running, waiting, ToQt(status), ToQt(tooltip));
}

void UpdateDriver::ShowMessage(const std::string& caption, const std::string& text) {
  // The queue speaks English; the window shows the texts of the string table.
  if (text == kNotConnectedText) {
    emit MessageRequested(Text(text::kConnectionErrorCaption), Text(text::kNotConnected));
    return;
  }
  emit MessageRequested(ToQt(caption), ToQt(text));
}

}  // namespace tarsel::ui
