#include "ui/pane_page.h"

#include <QWebEngineNewWindowRequest>
#include <QWebEngineSettings>

namespace tarsel::ui {
namespace {

bool IsInThemePage(const QUrl& url) {
  return url.toString().contains(u"data.html#");
}

}  // namespace

PanePage::PanePage(Mode mode, QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent), mode_(mode) {
  QWebEngineSettings* page_settings = settings();
  page_settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
  page_settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
  page_settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
  page_settings->setAttribute(QWebEngineSettings::LocalStorageEnabled, mode == Mode::kBrowsing);
  if (mode == Mode::kBrowsing) {
    page_settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
  } else {
    // The theme page is a local file; without this the engine refuses the feeds' images.
    page_settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    // The pane shows what the records list selects: the keyboard stays with the list.
    page_settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
  }
  connect(this, &QWebEnginePage::newWindowRequested, this, &PanePage::OnNewWindowRequested);
}

bool PanePage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool is_main_frame) {
  if (mode_ == Mode::kThemePage) return AcceptThemePageNavigation(url, type, is_main_frame);
  // Browsing: the web, but no local files.
  return !url.isLocalFile();
}

bool PanePage::AcceptThemePageNavigation(const QUrl& url, NavigationType type, bool is_main_frame) {
  if (IsInThemePage(url)) return true;
  if (!is_main_frame) return false;
  // The program's own load of the theme page, and its reload.
  if ((type == NavigationTypeTyped || type == NavigationTypeReload) && url.isLocalFile()) {
    emit ThemePageLoading();
    return true;
  }
  if (type == NavigationTypeLinkClicked) emit LinkRequested(url);
  return false;
}

void PanePage::OnNewWindowRequested(QWebEngineNewWindowRequest& request) {
  // Not opening the request in a page leaves it cancelled.
  if (!request.isUserInitiated() || request.requestedUrl().isEmpty()) return;
  emit LinkRequested(request.requestedUrl());
}

}  // namespace tarsel::ui
