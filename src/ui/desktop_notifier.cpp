#include "ui/desktop_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

#include "app/product_version.h"
#include "view/notice_timeline.h"

namespace tarsel::ui {
namespace {

const char kService[] = "org.freedesktop.Notifications";
const char kPath[] = "/org/freedesktop/Notifications";
const char kInterface[] = "org.freedesktop.Notifications";
// A server that does not answer within this time counts as missing.
constexpr int kCallTimeoutMs = 3000;

}  // namespace

DesktopNotifier::DesktopNotifier(QObject* parent) : QObject(parent) {}

void DesktopNotifier::Show(const QString& body) {
  body_ = body;
  if (!QDBusConnection::sessionBus().isConnected()) {
    emit Unavailable();
  } else if (!capabilities_known_) {
    AskCapabilities();
  } else if (in_flight_) {
    send_again_ = true;
  } else {
    Send();
  }
}

void DesktopNotifier::Forget() {
  replaces_id_ = 0;
  ++burst_;
}

void DesktopNotifier::AskCapabilities() {
  if (asking_) return;
  asking_ = true;
  const QDBusMessage call =
      QDBusMessage::createMethodCall(kService, kPath, kInterface, "GetCapabilities");
  auto* watcher = new QDBusPendingCallWatcher(
      QDBusConnection::sessionBus().asyncCall(call, kCallTimeoutMs), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
    watcher->deleteLater();
    asking_ = false;
    const QDBusPendingReply<QStringList> reply = *watcher;
    if (reply.isError()) {
      emit Unavailable();  // asked again with the next burst: a server may start later
      return;
    }
    markup_ = reply.value().contains("body-markup");
    capabilities_known_ = true;
    Send();
  });
}

void DesktopNotifier::Send() {
  in_flight_ = true;
  send_again_ = false;
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "Notify");
  const QString body = markup_ ? body_.toHtmlEscaped() : body_;
  call << QString(kProductName) << replaces_id_ << QString() << QString(kProductName) << body
       << QStringList() << QVariantMap() << static_cast<int>(kNoticeShowMs);
  auto* watcher = new QDBusPendingCallWatcher(
      QDBusConnection::sessionBus().asyncCall(call, kCallTimeoutMs), this);
  const int burst = burst_;
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, burst] {
    watcher->deleteLater();
    in_flight_ = false;
    const QDBusPendingReply<unsigned> reply = *watcher;
    if (reply.isError()) {
      capabilities_known_ = false;
      emit Unavailable();
      return;
    }
    if (burst == burst_) replaces_id_ = reply.value();
    if (send_again_) Send();
  });
}

}  // namespace tarsel::ui
