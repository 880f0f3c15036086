#include "ui/update_driver.h"

#include "ui/qt_text.h"
#include "view/main_window_text.h"

namespace tarsel::ui {

UpdateDriver::UpdateDriver(ColumnTree& columns, std::shared_ptr<const UpdateServices> services,
                           UpdateQueueHooks hooks, QObject* parent)
    : QObject(parent),
      queue_(columns, std::move(services), this, std::move(hooks)),
      scheduler_(queue_, clock_, [this] { emit VersionCheckDue(); }) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &UpdateDriver::OnTimer);
}

UpdateDriver::~UpdateDriver() {
  Stop();
}

void UpdateDriver::Start(int32_t last_version_check) {
  scheduler_.Start(last_version_check);
  OnTimer();
}

void UpdateDriver::Stop() {
  timer_.stop();
  scheduler_.Stop();
  queue_.StopAll();
}

void UpdateDriver::OnTimer() {
  const int64_t wait = scheduler_.RunDue();
  if (wait >= 0) timer_.start(static_cast<int>(wait));
}

void UpdateDriver::ShowQueueStatus(const std::string& status, const std::string& tooltip) {
  const int running = queue_.RunningCount();
  const int waiting = static_cast<int>(queue_.size()) - running;
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
