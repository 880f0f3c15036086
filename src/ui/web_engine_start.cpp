#include "ui/web_engine_start.h"

#include <QWebEngineProfile>

namespace tarsel::ui {
namespace {

constexpr char kFlagsVariable[] = "QTWEBENGINE_CHROMIUM_FLAGS";
constexpr char kRendererLimit[] = "--renderer-process-limit";

// The engine reads its flags once, when it starts, and more than the record pane can start
// it (the blog editor's pages, a view made by a test): the process model is in the
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

}  // namespace tarsel::ui
