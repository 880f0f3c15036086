#pragma once

// A browser tab: a web page opened for a followed link, browsed as in any browser (script on,
// but no plugins and no local files). It opens on a blank page and then loads its address.
// New windows the page asks for go out as OpenLinkRequest (a new tab or the system browser).
// Main thread only.

#include <QString>

#include "ui/web_pane.h"

namespace tarsel::ui {

class BrowserTab : public WebPane {
  Q_OBJECT

 public:
  explicit BrowserTab(const QString& url, QWidget* parent = nullptr);

  // The page's address; the address the tab was opened for while it still shows a blank page.
  QString Address() const;
  // The page's title, else its address.
  QString Title() const;

 signals:
  void TitleChanged(QString title);

 private:
  QString SelectionAddress() const override { return Address(); }
  QString SelectionTitle() const override;

  QString opened_url_;
};

}  // namespace tarsel::ui
