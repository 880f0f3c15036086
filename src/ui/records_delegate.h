#pragma once

// Draws the records list's cells in their first line and sizes each row: one line of the items
// font, plus the description block (wrapped to the list's width in the description font, plus
// 4 pixels) when the row has one. The block itself is drawn by RecordsListView across the row.
// Main thread only.

#include <QStyledItemDelegate>

class QAbstractItemView;

namespace tarsel::ui {

class RecordsModel;

class RecordsDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  RecordsDelegate(const RecordsModel* model, QAbstractItemView* view);

  // Height of a row's first line (the cells).
  int LineHeight() const;
  // Width the description block wraps to.
  int DescriptionWidth() const;
  // Height of `text` wrapped to DescriptionWidth in the description font, plus 4; 0 for "".
  int DescriptionHeight(const QString& text) const;

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

 private:
  const RecordsModel* model_;
  QAbstractItemView* view_;
};

}  // namespace tarsel::ui
