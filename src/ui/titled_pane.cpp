#include "ui/titled_pane.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tarsel::ui {

TitledPane::TitledPane(const QString& title, QWidget* content, QWidget* parent)
    : QWidget(parent), title_(new QLabel(this)), content_(content) {
  title_->setTextFormat(Qt::PlainText);
  title_->setObjectName(QStringLiteral("PaneTitle"));
  title_->setAutoFillBackground(true);
  title_->setBackgroundRole(QPalette::Mid);
  title_->setForegroundRole(QPalette::BrightText);
  title_->setContentsMargins(4, 2, 4, 2);
  title_->setMinimumWidth(1);  // a long channel description must not widen the pane
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(title_);
  layout->addWidget(content_, 1);
  SetTitle(title);
}

void TitledPane::SetTitle(const QString& title) {
  // One line: a description may hold line breaks.
  QString line = title;
  line.replace('\n', ' ').replace('\r', ' ');
  title_->setText(line);
  title_->setAccessibleName(line);
}

QString TitledPane::title() const {
  return title_->text();
}

void TitledPane::ReplaceContent(QWidget* content) {
  layout()->replaceWidget(content_, content);
  delete content_;
  content_ = content;
}

}  // namespace tarsel::ui
