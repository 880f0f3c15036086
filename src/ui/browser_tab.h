#pragma once

// A browser tab: a web page opened for a followed link, browsed as in any browser (script on,
// but no plugins and no local files). It opens on a blank page and then loads its address.
// New windows the page asks for go out as OpenLinkRequest (a new tab or the system browser).
// Main thread only.

#include <QString>
#include <QWidget>

#include "view/text_size_level.h"

class QMenu;
class QWebEngineView;

namespace tarsel {
class ColumnTree;
}

namespace tarsel::ui {

class PageFinder;
class PanePage;

class BrowserTab : public QWidget {
  Q_OBJECT

 public:
  explicit BrowserTab(const QString& url, QWidget* parent = nullptr);

  // The page's address; the address the tab was opened for while it still shows a blank page.
  QString Address() const;
  // The page's title, else its address.
  QString Title() const;

  void IncreaseTextSize();
  void DecreaseTextSize();
  int TextSizeLevel() const { return text_size_.level(); }
  void Copy();
  void Paste();

  void SetMemoriesTree(const ColumnTree* memories_tree) { memories_tree_ = memories_tree; }
  // The selection menu (341) for the current selection; the caller shows and owns it.
  QMenu* BuildSelectionMenu(QWidget* parent);

  PageFinder* Finder() const { return finder_; }
  QWebEngineView* WebView() const { return view_; }

 signals:
  void OpenLinkRequest(QString url);
  void StatusTextRequest(QString text);
  void TitleChanged(QString title);
  void BlogSelectionRequest(QString html);
  void ToMemoriesRequest(int memories_column_id, QString selection_html, QString url,
                         QString title);

 private:
  void ApplyTextSize();
  void OnContextMenu(const QPoint& position);

  QString opened_url_;
  QWebEngineView* view_ = nullptr;
  PanePage* page_ = nullptr;
  PageFinder* finder_ = nullptr;
  tarsel::TextSizeLevel text_size_;
  const ColumnTree* memories_tree_ = nullptr;
};

}  // namespace tarsel::ui
