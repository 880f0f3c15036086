#pragma once

// A pane with a caption line above its content, as the trees and the records list have.
// Main thread only.

#include <QWidget>

class QLabel;

namespace tarsel::ui {

class TitledPane : public QWidget {
  Q_OBJECT

 public:
  // `content` becomes a child of the pane.
  TitledPane(const QString& title, QWidget* content, QWidget* parent = nullptr);
  // The caption is plain text (it may come from a feed).
  void SetTitle(const QString& title);
  QString title() const;
  QWidget* content() const { return content_; }
  // Puts another widget in place of the content (the old one is deleted).
  void ReplaceContent(QWidget* content);

 private:
  QLabel* title_;
  QWidget* content_;
};

}  // namespace tarsel::ui
