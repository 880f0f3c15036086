#pragma once

// Sends the notice's text to the desktop's notification server (org.freedesktop.Notifications
// on the session bus) instead of showing our own notice. Every call is asynchronous: the window
// thread never waits for the bus. While a burst goes on, each new text replaces the bubble sent
// before, so the desktop shows one growing bubble as our notice would.
//
// With no session bus, or no server on it (the call fails), Unavailable() is emitted and the
// caller shows the text itself. Window thread only.

#include <QObject>
#include <QString>

namespace tarsel::ui {

class DesktopNotifier : public QObject {
  Q_OBJECT

 public:
  explicit DesktopNotifier(QObject* parent = nullptr);

  // Shows `body` (plain text, lines separated by '\n'), replacing the bubble of this burst.
  void Show(const QString& body);
  // The burst is over: the next Show opens a new bubble.
  void Forget();

 signals:
  void Unavailable();

 private:
  void AskCapabilities();
  void Send();

  QString body_;
  unsigned replaces_id_ = 0;
  bool capabilities_known_ = false;
  bool asking_ = false;
  bool markup_ = false;  // the server reads the body as markup: feed text must be escaped
  bool in_flight_ = false;
  bool send_again_ = false;
  int burst_ = 0;  // a reply from before Forget() must not name the next burst's bubble
};

}  // namespace tarsel::ui
