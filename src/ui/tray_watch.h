#pragma once

// Whether the desktop has a tray for the program's icon, learned without ever waiting on the
// session bus: a hung panel must not freeze the window. A StatusNotifier tray is asked for on
// the bus asynchronously, and its coming and going is followed through the bus's own signals;
// an XEmbed tray is the X server's owner of the screen's tray selection (a quick X round trip,
// no bus). Window thread only.

#include <QObject>

class QDBusServiceWatcher;

namespace tarsel::ui {

class TrayWatch : public QObject {
  Q_OBJECT

 public:
  explicit TrayWatch(QObject* parent = nullptr);

  // The last answer: true while either kind of tray is there.
  bool Available() const { return status_notifier_ || xembed_; }
  // Asks again; a changed answer comes as AvailabilityChanged, later.
  void Check();

 signals:
  void AvailabilityChanged(bool available);

 private:
  void AskStatusNotifier();
  void Set(bool status_notifier, bool xembed);

  QDBusServiceWatcher* service_watch_ = nullptr;
  bool status_notifier_ = false;
  bool xembed_ = false;
};

}  // namespace tarsel::ui
