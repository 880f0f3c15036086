#include "ui/web_engine_start.h"

#include <QEvent>
#include <QTimer>
#include <QWebEngineProfile>
#include <QWidget>
#include <utility>

namespace tarsel::ui {
namespace {

constexpr char kFlagsVariable[] = "QTWEBENGINE_CHROMIUM_FLAGS";
constexpr char kRendererLimit[] = "--renderer-process-limit";

// Waits for the widget's first paint, then for the events queued behind it.
class FirstPaintWatcher : public QObject {
 public:
  FirstPaintWatcher(QWidget* widget, std::function<void()> start)
      : QObject(widget), start_(std::move(start)) {
    widget->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !painted_) {
      painted_ = true;
      watched->removeEventFilter(this);
      // A zero timer runs once the events waiting now are handled: the rest of the window's
      // paint first, then the start.
      QTimer::singleShot(0, this, [this] {
        start_();
        deleteLater();
      });
    }
    return false;
  }

 private:
  std::function<void()> start_;
  bool painted_ = false;
};

// The engine reads its flags once, when it starts, and more than the record pane can start
// it (the blog editor's views are made with the window): the process model is in the
// environment before main runs.
[[maybe_unused]] const bool kProcessModelSet = [] {
  SetWebEngineProcessModel();
  return true;
}();

}  // namespace

QString WithProcessModelFlags(const QString& user_flags) {
  QString flags = user_flags.trimmed();
  if (flags.contains(QLatin1String(kRendererLimit))) return flags;
  // Chromium otherwise keeps a renderer per site and a spare one besides: three processes for
  // one local page.
  if (!flags.isEmpty()) flags += QLatin1Char(' ');
  return flags + QLatin1String(kRendererLimit) + QLatin1String("=1");
}

void SetWebEngineProcessModel() {
  const QByteArray flags = WithProcessModelFlags(qEnvironmentVariable(kFlagsVariable)).toUtf8();
  qputenv(kFlagsVariable, flags);
}

QWebEngineProfile* PaneProfile() {
  static QWebEngineProfile* const profile = [] {
    SetWebEngineProcessModel();
    QWebEngineProfile* made = QWebEngineProfile::defaultProfile();
    made->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    made->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    return made;
  }();
  return profile;
}

void CallWhenIdleAfterFirstPaint(QWidget* widget, std::function<void()> start) {
  new FirstPaintWatcher(widget, std::move(start));
}

}  // namespace tarsel::ui
