#include "ui/tray_watch.h"

#include <xcb/xcb.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QPointer>
#include <cstdlib>
#include <cstring>

namespace tarsel::ui {
namespace {

constexpr char kWatcherService[] = "org.kde.StatusNotifierWatcher";
// A bus that does not answer in this time counts as "no tray" until the next check.
constexpr int kBusAnswerMs = 2000;

// The XEmbed tray of the default screen: the owner of its "_NET_SYSTEM_TRAY_S<n>" selection.
bool XEmbedTrayPresent() {
  const auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr || x11->connection() == nullptr) return false;
  xcb_connection_t* connection = x11->connection();
  int screen = 0;
  if (const char* display = std::getenv("DISPLAY"); display != nullptr) {
    if (const char* dot = std::strrchr(display, '.'); dot != nullptr) screen = std::atoi(dot + 1);
  }
  const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(screen);
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()), name.data()),
      nullptr);
  if (atom == nullptr) return false;
  const xcb_atom_t selection = atom->atom;
  std::free(atom);
  if (selection == XCB_ATOM_NONE) return false;
  xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
      connection, xcb_get_selection_owner(connection, selection), nullptr);
  if (owner == nullptr) return false;
  const bool owned = owner->owner != XCB_WINDOW_NONE;
  std::free(owner);
  return owned;
}

}  // namespace

TrayWatch::TrayWatch(QObject* parent) : QObject(parent) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (bus.isConnected()) {
    service_watch_ = new QDBusServiceWatcher(QString::fromLatin1(kWatcherService), bus,
                                             QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(service_watch_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& new_owner) {
              Set(!new_owner.isEmpty(), xembed_);
            });
  }
  xembed_ = XEmbedTrayPresent();
}

void TrayWatch::Check() {
  Set(status_notifier_, XEmbedTrayPresent());
  AskStatusNotifier();
}

void TrayWatch::AskStatusNotifier() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return Set(false, xembed_);
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
      QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
  call << QString::fromLatin1(kWatcherService);
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kBusAnswerMs), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
    watcher->deleteLater();
    const QDBusPendingReply<bool> reply = *watcher;
    Set(!reply.isError() && reply.value(), xembed_);
  });
}

void TrayWatch::Set(bool status_notifier, bool xembed) {
  const bool was = Available();
  status_notifier_ = status_notifier;
  xembed_ = xembed;
  if (Available() != was) emit AvailabilityChanged(Available());
}

}  // namespace tarsel::ui
