#pragma once

// The records list's tree view: one flat level of rows, the description block drawn under the
// cells across the row and the view's empty text drawn when there are no rows (the list's keys
// are the window's commands). Row heights are computed only for the rows shown, so a
// refresh of a long list costs no text layout. Main thread only.

#include <QTreeView>

namespace tarsel::ui {

class RecordsDelegate;

class RecordsListView : public QTreeView {
  Q_OBJECT

 public:
  explicit RecordsListView(QWidget* parent = nullptr);

  void SetRecordsDelegate(RecordsDelegate* delegate);
  // Shown, word-wrapped and as plain text, while the model has no rows.
  void SetEmptyText(const QString& text);
  const QString& empty_text() const { return empty_text_; }
  // Row heights depend on the width while descriptions are shown.
  void SetDescriptionsShown(bool shown) { descriptions_shown_ = shown; }

 protected:
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  RecordsDelegate* delegate_ = nullptr;
  QString empty_text_;
  bool descriptions_shown_ = false;
};

}  // namespace tarsel::ui
