#pragma once

// Colours HTML tags in the blog editor's source view: tag names and brackets in one colour,
// quoted attribute values in another, comments greyed. A tag may run over several lines.
// Main thread only.

#include <QSyntaxHighlighter>

namespace tarsel::ui {

class HtmlHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  explicit HtmlHighlighter(QTextDocument* document);

 protected:
  void highlightBlock(const QString& text) override;
};

}  // namespace tarsel::ui
