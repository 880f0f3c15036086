#pragma once

// Measures how long the window thread goes without running its event loop, for checks of the
// program under load (a huge feed, a thousand columns). Off unless the environment names a
// file in TARSEL_STALL_LOG; then every stall of 50 ms or more is appended there at once as a
// line "EPOCH_MS STALL_MS" (the time it ended), so the file holds the figures even after a
// kill. Window thread only.

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QString>
#include <QTimer>

namespace tarsel::ui {

class StallMonitor : public QObject {
 public:
  // Starts measuring when TARSEL_STALL_LOG is set; does nothing otherwise.
  explicit StallMonitor(QObject* parent = nullptr);

 private:
  void Tick();

  QTimer timer_;
  QElapsedTimer since_last_tick_;
  QFile log_;
};

}  // namespace tarsel::ui
