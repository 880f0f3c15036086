#include "ui/records_list_view.h"

#include <QHeaderView>
#include <QPainter>

#include "ui/records_delegate.h"
#include "ui/records_model.h"

namespace tarsel::ui {
namespace {

constexpr int kDescriptionIndent = 8;

}  // namespace

RecordsListView::RecordsListView(QWidget* parent) : QTreeView(parent) {
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(false);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setTextElideMode(Qt::ElideRight);
  setWordWrap(false);
}

void RecordsListView::SetRecordsDelegate(RecordsDelegate* delegate) {
  delegate_ = delegate;
  setItemDelegate(delegate);
}

void RecordsListView::SetEmptyText(const QString& text) {
  empty_text_ = text;
  viewport()->update();
}

void RecordsListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  QTreeView::drawRow(painter, option, index);
  if (!delegate_) return;
  const bool selected = selectionModel() && selectionModel()->isSelected(index);
  // The cells' highlight ends with the last column; the description's spans the viewport. The
  // title line is highlighted to the same edge, so the selection reads as one block.
  const int cells_end = header()->length() - header()->offset();
  if (selected && cells_end < viewport()->width()) {
    painter->fillRect(QRect(cells_end, option.rect.top(), viewport()->width() - cells_end,
                            delegate_->LineHeight()),
                      option.palette.brush(QPalette::Highlight));
  }
  const QString description =
      index.siblingAtColumn(0).data(RecordsModel::kDescriptionRole).toString();
  if (description.isEmpty()) return;
  const auto* model = static_cast<const RecordsModel*>(this->model());
  QRect block = option.rect;
  block.setLeft(0);
  block.setRight(viewport()->width());
  block.setTop(option.rect.top() + delegate_->LineHeight());
  painter->save();
  if (selected) painter->fillRect(block, option.palette.brush(QPalette::Highlight));
  painter->setFont(model->description_font());
  painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
  const QRect text_rect(kDescriptionIndent, block.top(), delegate_->DescriptionWidth(),
                        block.height());
  painter->drawText(text_rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, description);
  painter->restore();
}

void RecordsListView::paintEvent(QPaintEvent* event) {
  QTreeView::paintEvent(event);
  if (!model() || model()->rowCount() > 0 || empty_text_.isEmpty()) return;
  QPainter painter(viewport());
  painter.setPen(palette().color(QPalette::PlaceholderText));
  painter.drawText(viewport()->rect().adjusted(8, 16, -8, -8),
                   Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, empty_text_);
}

void RecordsListView::resizeEvent(QResizeEvent* event) {
  const int old_width = viewport()->width();
  QTreeView::resizeEvent(event);
  // Wrapped descriptions change height with the width: heights are measured again, lazily.
  if (descriptions_shown_ && viewport()->width() != old_width) scheduleDelayedItemsLayout();
}

}  // namespace tarsel::ui
