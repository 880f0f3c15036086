#include "ui/records_delegate.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <algorithm>

#include "ui/records_model.h"
#include "view/records_list_cells.h"

namespace tarsel::ui {

// Space around the text of a line and around the description block.
constexpr int kLineMargin = 6;
constexpr int kDescriptionIndent = 8;
constexpr int kDescriptionExtra = 4;

RecordsDelegate::RecordsDelegate(const RecordsModel* model, QAbstractItemView* view)
    : QStyledItemDelegate(view), model_(model), view_(view) {}

int RecordsDelegate::LineHeight() const {
  QFont bold = model_->items_font();
  bold.setBold(true);
  return std::max(QFontMetrics(bold).height(), 16) + kLineMargin;
}

int RecordsDelegate::DescriptionWidth() const {
  return std::max(view_->viewport()->width() - 2 * kDescriptionIndent, 20);
}

int RecordsDelegate::DescriptionHeight(const QString& text) const {
  if (text.isEmpty()) return 0;
  const QFontMetrics metrics(model_->description_font());
  const QRect bounds =
      metrics.boundingRect(QRect(0, 0, DescriptionWidth(), 1 << 20), Qt::TextWordWrap, text);
  return bounds.height() + kDescriptionExtra;
}

QSize RecordsDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  int height = LineHeight();
  if (index.column() == kTitleColumn) {
    height += DescriptionHeight(index.data(RecordsModel::kDescriptionRole).toString());
  }
  const int width = QStyledItemDelegate::sizeHint(option, index).width();
  return QSize(width, height);
}

void RecordsDelegate::initStyleOption(QStyleOptionViewItem* option,
                                      const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  // Cells keep to the first line; the description block lies below them.
  option->rect.setHeight(std::min(option->rect.height(), LineHeight()));
  option->decorationAlignment = Qt::AlignCenter;
}

}  // namespace tarsel::ui
