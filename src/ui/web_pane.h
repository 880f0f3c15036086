#pragma once

// What the record pane and a browser tab share: one web view filling the widget, its text size
// (eight levels, kept across navigations by the caller), copy and paste, Find, and the context
// menu: the selection menu over selected text, the standard menu elsewhere. Links the page hands
// out leave as OpenLinkRequest. Main thread only.
//
// The selection menu is the window's (CommandActions), opened on this pane as its target.
// The web view and its page are made when first needed (Page(), WebView() or MakeView()), not
// with the pane: the record pane starts the web engine only for its first record. Until then
// text size, copy and Find do nothing.

#include <QString>
#include <QWidget>

#include "ui/pane_page.h"
#include "view/text_size_level.h"

class QMenu;
class QWebEngineView;

namespace tarsel::ui {

class CommandActions;
class PageFinder;

class WebPane : public QWidget {
  Q_OBJECT

 public:
  void IncreaseTextSize();
  void DecreaseTextSize();
  int TextSizeLevel() const { return text_size_.level(); }
  void Copy();
  void Paste();

  // The window's commands, which give the selection menu (341); null: the engine's own menu
  // only.
  void SetCommandActions(CommandActions* actions) { actions_ = actions; }
  // The commands of the selection menu, run on this pane's selection.
  void BlogSelection();
  void SelectionToMemories(int memories_column_id);

  PageFinder* Finder() const { return finder_; }
  // The web view, made now if it is not there yet.
  QWebEngineView* WebView() {
    MakeView();
    return view_;
  }
  bool HasView() const { return view_ != nullptr; }
  // Makes the web view and its page, once.
  void MakeView();

 signals:
  void OpenLinkRequest(QString url);
  void StatusTextRequest(QString text);
  void BlogSelectionRequest(QString html);
  void ToMemoriesRequest(int memories_column_id, QString selection_html, QString url,
                         QString title);

 protected:
  // `view_name` is the web view's object name; `accessible_name` names both widgets.
  WebPane(PanePage::Mode mode, const QString& view_name, const QString& accessible_name,
          QWidget* parent);

  PanePage* Page() {
    MakeView();
    return page_;
  }
  // Null until the view is made.
  PanePage* Page() const { return page_; }
  // Called once, just after the view and its page are made.
  virtual void ViewMade() {}
  void ApplyTextSize();
  // The page address and title a selection sent to memories is stored with.
  virtual QString SelectionAddress() const { return {}; }
  virtual QString SelectionTitle() const { return {}; }

 private:
  void OnContextMenu(const QPoint& position);

  PanePage::Mode mode_;
  QString view_name_;
  QWebEngineView* view_ = nullptr;
  PanePage* page_ = nullptr;
  PageFinder* finder_ = nullptr;
  tarsel::TextSizeLevel text_size_;
  CommandActions* actions_ = nullptr;
};

}  // namespace tarsel::ui
