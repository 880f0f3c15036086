#include "ui/tray_icon.h"

#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QSystemTrayIcon>

#include "ui/qt_text.h"
#include "ui/tray_watch.h"
#include "view/tray_tooltip.h"

// Resources of a static library must be registered by hand, outside any namespace.
static void RegisterTrayArtwork() {
  Q_INIT_RESOURCE(tray_icons);
}

namespace tarsel::ui {
namespace {

constexpr int kFrameCount = 4;
// How often the icon checks whether the desktop's tray has come back.
constexpr int kTrayWatchMs = 5000;

// The artwork drawn at the sizes trays ask for, so no image plug-in is needed.
QIcon LoadArtwork(const QString& name) {
  QSvgRenderer renderer(QString(":/tarsel/tray/%1.svg").arg(name));
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

TrayIcon::TrayIcon(QMenu* menu, QObject* parent) : QObject(parent), animation_(kFrameCount) {
  RegisterTrayArtwork();
  unread_icon_ = LoadArtwork("unread");
  read_icon_ = LoadArtwork("read");
  for (int frame = 1; frame <= kFrameCount; ++frame) {
    frames_.push_back(LoadArtwork(QString("busy_%1").arg(frame)));
  }
  icon_ = new QSystemTrayIcon(this);
  icon_->setObjectName("TrayIcon");
  if (menu != nullptr) icon_->setContextMenu(menu);
  connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
    if (why == QSystemTrayIcon::Trigger || why == QSystemTrayIcon::DoubleClick) {
      emit RestoreRequested();
    }
  });
  frame_timer_.setInterval(kTrayFrameMs);
  connect(&frame_timer_, &QTimer::timeout, this, &TrayIcon::NextFrame);
  tray_watch_ = new TrayWatch(this);
  connect(tray_watch_, &TrayWatch::AvailabilityChanged, this, &TrayIcon::OnTrayAvailability);
  tray_watch_timer_.setInterval(kTrayWatchMs);
  connect(&tray_watch_timer_, &QTimer::timeout, tray_watch_, &TrayWatch::Check);
  ShowPicture();
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::Show() {
  shown_ = true;
  icon_->show();
  tray_watch_timer_.start();
  // The bus answers later; an XEmbed tray is known at once.
  tray_watch_->Check();
  emit InTrayChanged(InTray());
}

void TrayIcon::Remove() {
  shown_ = false;
  tray_watch_timer_.stop();
  frame_timer_.stop();
  icon_->hide();
  emit InTrayChanged(false);
}

bool TrayIcon::InTray() const {
  return shown_ && icon_->isVisible() && tray_watch_->Available();
}

void TrayIcon::SetQueueText(const QString& text) {
  queue_status_ = text.section(QLatin1Char('\n'), 0, 0);
  queue_spoke_ = true;
  ShowToolTip(text);
}

void TrayIcon::ShowToolTip(const QString& text) {
  const QString cut = ToQt(TrayTooltip(FromQt(text)));
  // Like the picture: the desktop hears only of real changes.
  if (cut != icon_->toolTip()) icon_->setToolTip(cut);
}

void TrayIcon::SetAnimation(bool running) {
  animation_.SetRunning(running);
  if (running && !frame_timer_.isActive()) frame_timer_.start();
  if (!running) frame_timer_.stop();
  ShowPicture();
}

void TrayIcon::SetUnreadCount(int unread) {
  unread_ = unread;
  ShowPicture();
  if (queue_spoke_) {
    ShowToolTip(ToQt(QueueTooltipText(FromQt(queue_status_), unread)));
  }
}

QString TrayIcon::ToolTip() const {
  return icon_->toolTip();
}

void TrayIcon::NextFrame() {
  animation_.NextFrame();
  ShowPicture();
}

void TrayIcon::ShowPicture() {
  QString name;
  const QIcon* icon = nullptr;
  switch (animation_.Picture(unread_)) {
    case TrayPicture::kUnread:
      name = "unread";
      icon = &unread_icon_;
      break;
    case TrayPicture::kNothingUnread:
      name = "read";
      icon = &read_icon_;
      break;
    case TrayPicture::kFrame:
      name = QString("busy_%1").arg(animation_.Frame() + 1);
      icon = &frames_[static_cast<size_t>(animation_.Frame())];
      break;
  }
  // The tray is told only of real changes: each one is a message to the desktop.
  if (name == picture_name_) return;
  picture_name_ = name;
  icon_->setIcon(*icon);
}

void TrayIcon::OnTrayAvailability(bool available) {
  if (available && shown_) {
    // The desktop's tray (re)started: add the icon again.
    icon_->hide();
    icon_->show();
  }
  emit InTrayChanged(InTray());
}

}  // namespace tarsel::ui
