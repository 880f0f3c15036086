#include "ui/stall_monitor.h"

#include <QDateTime>
#include <QtGlobal>

namespace tarsel::ui {
namespace {

constexpr int kTickMs = 20;
constexpr qint64 kReportedStallMs = 50;

}  // namespace

StallMonitor::StallMonitor(QObject* parent) : QObject(parent) {
  const QString log_path = qEnvironmentVariable("TARSEL_STALL_LOG");
  if (log_path.isEmpty()) return;
  log_.setFileName(log_path);
  if (!log_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) return;
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &StallMonitor::Tick);
  timer_.start(kTickMs);
}

void StallMonitor::Tick() {
  // The first tick comes once the loop runs: start-up before it is not a stall.
  if (!since_last_tick_.isValid()) {
    since_last_tick_.start();
    return;
  }
  // The time beyond the tick's own interval is the time the loop could not answer.
  const qint64 stall_ms = since_last_tick_.restart() - kTickMs;
  if (stall_ms < kReportedStallMs) return;
  log_.write(QByteArray::number(QDateTime::currentMSecsSinceEpoch()) + ' ' +
             QByteArray::number(stall_ms) + '\n');
}

}  // namespace tarsel::ui
