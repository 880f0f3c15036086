#include "ui/html_highlighter.h"

#include <QColor>
#include <QTextCharFormat>

namespace tarsel::ui {

namespace {

enum BlockState { kInText = 0, kInTag = 1, kInComment = 2 };

QTextCharFormat Colour(const QColor& colour) {
  QTextCharFormat format;
  format.setForeground(colour);
  return format;
}

}  // namespace

HtmlHighlighter::HtmlHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

// One pass over the block: linear, so a 5 MB paste stays quick.
void HtmlHighlighter::highlightBlock(const QString& text) {
  static const QTextCharFormat tag = Colour(QColor(0, 0, 192));
  static const QTextCharFormat value = Colour(QColor(160, 0, 0));
  static const QTextCharFormat comment = Colour(QColor(0, 128, 0));
  int state = previousBlockState() < 0 ? kInText : previousBlockState();
  QChar quote;
  const qsizetype length = text.size();
  for (qsizetype i = 0; i < length; ++i) {
    const QChar c = text[i];
    if (state == kInComment) {
      setFormat(static_cast<int>(i), 1, comment);
      if (c == u'>' && i >= 2 && text[i - 1] == u'-' && text[i - 2] == u'-') state = kInText;
    } else if (state == kInTag) {
      if (!quote.isNull()) {
        setFormat(static_cast<int>(i), 1, value);
        if (c == quote) quote = QChar();
      } else if (c == u'"' || c == u'\'') {
        quote = c;
        setFormat(static_cast<int>(i), 1, value);
      } else {
        setFormat(static_cast<int>(i), 1, tag);
        if (c == u'>') state = kInText;
      }
    } else if (c == u'<') {
      state = text.mid(i, 4) == QStringLiteral("<!--") ? kInComment : kInTag;
      setFormat(static_cast<int>(i), 1, state == kInComment ? comment : tag);
    }
  }
  setCurrentBlockState(state);
}

}  // namespace tarsel::ui
