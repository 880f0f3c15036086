#pragma once

// SIGTERM and SIGINT as a Qt signal on the window thread: the handler only writes a byte to a
// pipe, which a socket notifier reads. Create one, on the main thread, after the application
// object.

#include <QObject>

class QSocketNotifier;

namespace tarsel::ui {

class SignalBridge : public QObject {
  Q_OBJECT

 public:
  explicit SignalBridge(QObject* parent = nullptr);
  ~SignalBridge() override;

 signals:
  void TerminationRequested();

 private:
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace tarsel::ui
