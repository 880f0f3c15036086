#pragma once

// Find and Find Next in one browser pane's page, with the pane's own text, flags and bookmark.
// The search runs as a script in the program's own script world (the page's scripts never see
// it, and the record pane's security policy does not apply to it), so whole-word matching and
// wrap-around behave the same on every page. Main thread only.

#include <QObject>
#include <QString>

#include "view/page_find.h"

class QWebEnginePage;

namespace tarsel::ui {

class PageFinder : public QObject {
  Q_OBJECT

 public:
  // `page` may be null until the pane has made its page: a search then finds nothing.
  explicit PageFinder(QWebEnginePage* page, QObject* parent = nullptr);
  void SetPage(QWebEnginePage* page) { page_ = page; }

  // Searches forward for `text` from past the last match, wrapping to the top once.
  void Find(const QString& text, bool match_case, bool whole_word);
  // The last search again; false (and nothing done) before the first.
  bool FindNext();
  // The page changed: the next search starts from the top.
  void ForgetBookmark() { state_.ForgetBookmark(); }
  const std::optional<PageFindRequest>& LastRequest() const { return state_.request(); }

 signals:
  // The match is selected and in view.
  void Found();
  // The text is not on the page; `message` is the user's "Cannot find the string" text.
  void NotFound(const QString& message);

 private:
  void Search();
  void ReportNotFound();

  QWebEnginePage* page_;
  PageFindState state_;
  int generation_ = 0;  // answers of a search overtaken by a newer one are dropped
};

}  // namespace tarsel::ui
