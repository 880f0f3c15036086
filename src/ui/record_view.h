#pragma once

// The record pane: the theme page (Theme/data.html) loaded once, into whose body the selected
// record's HTML is written without reloading the page. Main thread only.
//
// The page is locked down: its security policy lets only the theme's own script run (feed HTML
// runs nothing), links leave the pane as OpenLinkRequest, and the body is written by the
// program from its own script world. A page that never calls `external.OnInitialize()` stays
// blank; a missing template gives an empty body.

#include <QString>
#include <QWidget>
#include <memory>
#include <string>

#include "store/record.h"
#include "store/tree_node.h"
#include "view/text_size_level.h"

class QTimer;
class QWebEngineView;
class QMenu;

namespace tarsel {
class ColumnTree;
}

namespace tarsel::ui {

class PageFinder;
class PanePage;
class RecordPaneHost;

class RecordView : public QWidget {
  Q_OBJECT

 public:
  // `theme_folder` holds data.html and rssitem.templ and ends in '/'; empty: the program
  // folder's "Theme/".
  explicit RecordView(QWidget* parent = nullptr, const std::string& theme_folder = {});
  ~RecordView() override;

  // Shows `record` of `column` (either may be null). The record and column already shown are
  // not rendered again.
  void ShowRecord(const RecordRef& record, const std::shared_ptr<TreeNode>& column);
  // No record and no column: an empty body.
  void ShowNothing();
  // Renders the record shown again, as after its column was updated.
  void Refresh();

  void IncreaseTextSize();
  void DecreaseTextSize();
  int TextSizeLevel() const { return text_size_.level(); }
  void Copy();
  void Paste();

  // "Blog It" of the record shown: the body (HTML) and the subject, in the program code page.
  std::string BlogItText() const;
  std::string BlogItSubject() const;

  // The memories columns offered under "To Memories" in the selection menu; may be null.
  void SetMemoriesTree(const ColumnTree* memories_tree) { memories_tree_ = memories_tree; }
  // The selection menu (341) for the current selection; the caller shows and owns it.
  QMenu* BuildSelectionMenu(QWidget* parent);
  // The commands of that menu.
  void BlogSelection();
  void SelectionToMemories(int memories_column_id);

  PageFinder* Finder() const { return finder_; }
  QWebEngineView* WebView() const { return view_; }
  // True once the page has called OnInitialize.
  bool PageInitialized() const { return page_initialized_; }

 signals:
  void OpenLinkRequest(QString url);
  void StatusTextRequest(QString text);
  void BlogSelectionRequest(QString html);
  void ToMemoriesRequest(int memories_column_id, QString selection_html, QString url,
                         QString title);
  // A body has been written into the page and the text size applied.
  void BodyRendered();

 private:
  void OnPageInitialized();
  void Render();
  bool BuildBody(std::string& body);
  void WriteBody(const std::string& utf8_body);
  void ApplyTextSize();
  void OnContextMenu(const QPoint& position);

  std::string theme_folder_;
  QWebEngineView* view_ = nullptr;
  PanePage* page_ = nullptr;
  RecordPaneHost* host_ = nullptr;
  PageFinder* finder_ = nullptr;
  QTimer* retry_timer_ = nullptr;
  RecordRef record_;
  std::shared_ptr<TreeNode> column_;
  bool page_initialized_ = false;
  tarsel::TextSizeLevel text_size_;
  const ColumnTree* memories_tree_ = nullptr;
};

}  // namespace tarsel::ui
