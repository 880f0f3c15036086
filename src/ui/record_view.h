#pragma once

// The record pane: the theme page (Theme/data.html) loaded once, into whose body the selected
// record's HTML is written without reloading the page. Main thread only.
//
// The page is locked down: its security policy lets only the theme's own script run (feed HTML
// runs nothing), links leave the pane as OpenLinkRequest, and the body is written by the
// program from its own script world. A page that never calls `external.OnInitialize()` stays
// blank; a missing template gives an empty body.

#include <QString>
#include <memory>
#include <string>

#include "store/record.h"
#include "store/tree_node.h"
#include "ui/web_pane.h"

class QTimer;
class QWebChannel;

namespace tarsel::ui {

class FocusKeeper;
class RecordPaneHost;

class RecordView : public WebPane {
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

  // "Blog It" of the record shown: the body (HTML) and the subject, in the program code page.
  std::string BlogItText() const;
  std::string BlogItSubject() const;

  // True while the theme page loaded now has called OnInitialize.
  bool PageInitialized() const { return page_initialized_; }

 signals:
  // A body has been written into the page and the text size applied.
  void BodyRendered();

 private:
  void ViewMade() override;
  void LoadThemePage();
  void OnRendererGone(QWebEnginePage::RenderProcessTerminationStatus status);
  void OnPageInitialized();
  void Render();
  bool BuildBody(std::string& body);
  void WriteBody(const std::string& utf8_body);

  std::string theme_folder_;
  RecordPaneHost* host_ = nullptr;
  QWebChannel* channel_ = nullptr;
  QTimer* retry_timer_ = nullptr;
  FocusKeeper* focus_keeper_ = nullptr;
  RecordRef record_;
  std::shared_ptr<TreeNode> column_;
  bool page_initialized_ = false;
  RecordRef crashed_record_;  // the record whose body the renderer died on
};

}  // namespace tarsel::ui
