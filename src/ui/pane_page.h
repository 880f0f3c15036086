#pragma once

// The web page of a browser pane, deciding where navigation may go. Main thread only.
//
// The record pane (Mode::kThemePage) stays on the theme page: its own load and in-page anchors
// (URLs holding "data.html#") proceed; a followed link is cancelled and handed out with
// LinkRequested; anything else that tries to navigate (a refresh, a redirect, a frame) is
// cancelled quietly. A browser tab (Mode::kBrowsing) navigates as a browser does but never to
// local files. In both, a request for a new window that the user made (a middle click, a link
// with a target) is cancelled and handed out with LinkRequested; pop-ups that script opens
// on its own are dropped.

#include <QWebEnginePage>

namespace tarsel::ui {

class PanePage : public QWebEnginePage {
  Q_OBJECT

 public:
  enum class Mode { kThemePage, kBrowsing };

  PanePage(Mode mode, QWebEngineProfile* profile, QObject* parent = nullptr);

 signals:
  void LinkRequested(const QUrl& url);
  // The record pane's theme page itself is loading again (the program's load, a reload): the
  // document that said it was ready is going. A refused navigation never says this.
  void ThemePageLoading();

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool is_main_frame) override;

 private:
  bool AcceptThemePageNavigation(const QUrl& url, NavigationType type, bool is_main_frame);
  void OnNewWindowRequested(QWebEngineNewWindowRequest& request);

  Mode mode_;
};

}  // namespace tarsel::ui
