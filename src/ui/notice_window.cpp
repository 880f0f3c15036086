#include "ui/notice_window.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>
#include <QToolTip>
#include <algorithm>
#include <chrono>

#include "settings/settings.h"
#include "ui/accessible_roles.h"
#include "ui/desktop_notifier.h"
#include "ui/qt_text.h"
#include "ui/settings_owner.h"

namespace tarsel::ui {
namespace {

int64_t SteadyMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

NoticeRect ToNoticeRect(const QRect& rect) {
  return NoticeRect{rect.left(), rect.top(), rect.width(), rect.height()};
}

// The window's outline: a rectangle whose corners are quarter ellipses 12 by 10 pixels.
QPainterPath Outline(const QRectF& rect) {
  QPainterPath path;
  path.addRoundedRect(rect, kNoticeCornerWidth / 2.0, kNoticeCornerHeight / 2.0);
  return path;
}

}  // namespace

NoticeWindow::NoticeWindow(Clock clock)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint),
      clock_(clock ? std::move(clock) : Clock(SteadyMilliseconds)) {
  setObjectName("OW_InfoTip");
  InstallAccessibleRoles();
  setAttribute(Qt::WA_ShowWithoutActivating);
  setPalette(QToolTip::palette());
  setFont(QToolTip::font());
  hide_timer_.setSingleShot(true);
  connect(&hide_timer_, &QTimer::timeout, this, &NoticeWindow::CheckHide);
}

NoticeWindow::~NoticeWindow() = default;

void NoticeWindow::ShowNotice(const std::string& text) {
  bool first_pending = false;
  {
    std::lock_guard lock(pending_mutex_);
    first_pending = pending_.empty();
    pending_ += text;
  }
  // One queued call carries every text that arrives before the window thread takes them.
  if (first_pending && !text.empty()) {
    QMetaObject::invokeMethod(this, &NoticeWindow::TakePendingText, Qt::QueuedConnection);
  }
}

void NoticeWindow::SetIcon(const QPixmap& icon) {
  icon_ = icon;
  if (timeline_.Showing()) Relayout(false);
}

void NoticeWindow::TakePendingText() {
  std::string text;
  {
    std::lock_guard lock(pending_mutex_);
    text.swap(pending_);
  }
  Present(text);
}

void NoticeWindow::Present(const std::string& text) {
  const std::shared_ptr<const Settings> settings = SettingsOwner::Snapshot();
  if (settings->mute_popups) return;
  const NoticeTimeline::Change change = timeline_.Append(text, clock_());
  if (change == NoticeTimeline::Change::kNone) return;
  ScheduleHide();
  if (settings->desktop_notifications && !isVisible()) {
    if (desktop_ == nullptr) {
      desktop_ = new DesktopNotifier(this);
      // No notification server: the notice shows the text after all.
      connect(desktop_, &DesktopNotifier::Unavailable, this, [this] {
        if (timeline_.Showing()) Relayout(!isVisible());
      });
    }
    desktop_->Show(ToQt(timeline_.Text()));
    return;
  }
  Relayout(change == NoticeTimeline::Change::kOpened || !isVisible());
}

void NoticeWindow::ScheduleHide() {
  const int64_t wait = std::max<int64_t>(0, timeline_.HideAtMs() - clock_());
  hide_timer_.start(static_cast<int>(std::min<int64_t>(wait, kNoticeShowMs)));
}

void NoticeWindow::CheckHide() {
  if (timeline_.HideIfDue(clock_())) {
    hide();
    shown_lines_.clear();
    if (desktop_ != nullptr) desktop_->Forget();
  } else if (timeline_.Showing()) {
    ScheduleHide();
  }
}

NoticeRect NoticeWindow::WorkArea() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? ToNoticeRect(screen->availableGeometry()) : NoticeRect{0, 0, 800, 600};
}

NoticeSize NoticeWindow::LayOutLines(NoticeSize limit) {
  const QFontMetrics metrics(font());
  const std::vector<std::string>& lines = timeline_.Lines();
  const int count = static_cast<int>(lines.size());
  const int visible = VisibleLineCount(count, metrics.lineSpacing(), limit.height);
  std::optional<NoticeSize> icon;
  if (!icon_.isNull()) icon = NoticeSize{icon_.width(), icon_.height()};
  const int text_room =
      limit.width - 2 * kNoticeMarginX - (icon ? icon->width + kNoticeIconGap : 0);

  // The newest lines that fit; a line too wide for the notice ends in an ellipsis.
  shown_lines_.clear();
  int widest = 0;
  for (int i = count - visible; i < count; ++i) {
    const QString line = metrics.elidedText(ToQt(lines[static_cast<size_t>(i)]), Qt::ElideRight,
                                            std::max(text_room, 0));
    widest = std::max(widest, metrics.horizontalAdvance(line));
    shown_lines_ << line;
  }
  const int text_height =
      visible > 0 ? metrics.height() + (visible - 1) * metrics.lineSpacing() : 0;
  return LayoutNotice({widest, text_height}, icon, limit);
}

void NoticeWindow::Relayout(bool fresh_placement) {
  const NoticeRect area = WorkArea();
  const NoticeSize size = LayOutLines(NoticeSizeLimit(area));
  NoticeRect placed;
  if (fresh_placement) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const NoticeRect whole = screen != nullptr ? ToNoticeRect(screen->geometry()) : area;
    placed = PlaceNotice(FindTaskbarEdge(whole, area), area, size);
  } else {
    placed = GrowUpwards(ToNoticeRect(geometry()), size, area);
  }
  setGeometry(placed.left, placed.top, placed.width, placed.height);
  setMask(QRegion(Outline(QRectF(0, 0, size.width, size.height)).toFillPolygon().toPolygon()));
  AnnounceLines();
  raise();
  repaint();  // a growing notice is redrawn at once
}

void NoticeWindow::AnnounceLines() {
  // The lines are the alert's name, so a screen reader speaks them when the notice shows and
  // again when a new line arrives while it shows (renaming tells it by itself).
  const QString text = shown_lines_.join('\n');
  setAccessibleName(text);
  setAccessibleDescription(text);
  if (isVisible()) return;
  show();
  QAccessibleEvent alert(this, QAccessible::Alert);
  QAccessible::updateAccessibility(&alert);
}

void NoticeWindow::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPainterPath outline = Outline(QRectF(rect()));
  painter.fillPath(outline, palette().color(QPalette::ToolTipBase));
  // Two frames along the outline, clipped by the window's shape: 2 pixels in the scroll-bar
  // role's colour (Mid here) with a 1-pixel frame in the window-text colour outside it.
  painter.setClipPath(outline);
  painter.strokePath(outline, QPen(palette().color(QPalette::Mid), 4));
  painter.strokePath(outline, QPen(palette().color(QPalette::WindowText), 2));
  painter.setClipping(false);

  int text_left = kNoticeMarginX;
  if (!icon_.isNull()) {
    painter.drawPixmap(kNoticeMarginX, kNoticeMarginY, icon_);
    text_left += icon_.width() + kNoticeIconGap;
  }
  painter.setPen(palette().color(QPalette::ToolTipText));
  const QFontMetrics metrics(font());
  int baseline = kNoticeMarginY + metrics.ascent();
  for (const QString& line : shown_lines_) {
    painter.drawText(text_left, baseline, line);
    baseline += metrics.lineSpacing();
  }
}

}  // namespace tarsel::ui
