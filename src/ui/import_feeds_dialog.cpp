#include "ui/import_feeds_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/dialog_widgets.h"
#include "ui/qt_text.h"
#include "ui/translate_widgets.h"
#include "view/dialog_ids.h"
#include "view/dialog_text_ids.h"

namespace tarsel::ui {

void FoundFeedsModel::SetFeeds(FoundFeedList feeds) {
  beginResetModel();
  feeds_ = std::move(feeds);
  checked_.assign(feeds_.size(), 0);
  endResetModel();
}

void FoundFeedsModel::CheckAll(bool checked) {
  std::fill(checked_.begin(), checked_.end(), checked ? 1 : 0);
  if (!feeds_.empty())
    emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
}

FoundFeedList FoundFeedsModel::Checked() const {
  FoundFeedList chosen;
  for (size_t row = 0; row < feeds_.size(); ++row) {
    if (checked_[row]) chosen.push_back(feeds_[row]);
  }
  return chosen;
}

int FoundFeedsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(feeds_.size());
}

int FoundFeedsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 3;
}

QVariant FoundFeedsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const auto row = static_cast<size_t>(index.row());
  if (role == Qt::CheckStateRole && index.column() == 0)
    return checked_[row] ? Qt::Checked : Qt::Unchecked;
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  const FoundFeed& feed = feeds_[row];
  switch (index.column()) {
    case 0:
      return ToQt(feed.title);
    case 1:
      return ToQt(feed.description);
    default:
      return ToQt(feed.site_url);
  }
}

bool FoundFeedsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::CheckStateRole || index.column() != 0 || index.row() >= rowCount()) return false;
  checked_[static_cast<size_t>(index.row())] = value.toInt() != Qt::Unchecked;
  emit dataChanged(index, index, {Qt::CheckStateRole});
  return true;
}

Qt::ItemFlags FoundFeedsModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() == 0) flags |= Qt::ItemIsUserCheckable;
  return flags;
}

QVariant FoundFeedsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  const int ids[3] = {kTextTitle, kTextItemContent, kTextLink};
  return section >= 0 && section < 3 ? Text(ids[section]) : QVariant();
}

ImportFeedsDialog::ImportFeedsDialog(const FoundFeedTree& list, QWidget* parent)
    : QDialog(parent), all_(FlattenFoundFeeds(list)) {
  setObjectName(QStringLiteral("ImportFeedsDialog"));
  setWindowTitle(Text(kTextImportFeeds));
  setAccessibleName(Text(kTextImportFeeds));
  model_ = new FoundFeedsModel(this);
  model_->SetFeeds(all_);
  view_ = Named(new QTableView, "foundFeeds", Text(kTextImportFeeds));
  view_->setModel(model_);
  view_->verticalHeader()->hide();
  view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view_->horizontalHeader()->setStretchLastSection(true);
  view_->setColumnWidth(0, 220);
  view_->setColumnWidth(1, 260);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setWordWrap(false);

  filter_field_ = Named(new QComboBox, "filterField", Text(kTextFilterBy));
  for (int id : {kTextTitle, kTextItemContent, kTextUrl, kTextAll, kTextNoFilter})
    filter_field_->addItem(Text(id));
  filter_field_->setCurrentIndex(static_cast<int>(FoundFeedFilter::kNoFilter));
  filter_text_ = Named(new QLineEdit, "filterString", Text(kTextFilterString));
  auto* filter = Named(WithControlId(new QPushButton(Text(kTextFilterButton)), kTextFilterButton),
                       "filterButton", Text(kTextFilterButton));
  auto* select_all = Named(WithControlId(new QPushButton(Text(kTextSelectAll)), kTextSelectAll),
                           "selectAll", Text(kTextSelectAll));
  auto* deselect_all =
      Named(WithControlId(new QPushButton(Text(kTextDeselectAll)), kTextDeselectAll), "deselectAll",
            Text(kTextDeselectAll));
  connect(filter, &QPushButton::clicked, this, &ImportFeedsDialog::ApplyFilter);
  connect(filter_text_, &QLineEdit::returnPressed, this, &ImportFeedsDialog::ApplyFilter);
  connect(select_all, &QPushButton::clicked, this, [this] { model_->CheckAll(true); });
  connect(deselect_all, &QPushButton::clicked, this, [this] { model_->CheckAll(false); });

  auto* filter_row = new QHBoxLayout;
  filter_row->addWidget(WithControlId(new QLabel(Text(kTextFilterBy)), kTextFilterBy));
  filter_row->addWidget(filter_field_);
  filter_row->addWidget(WithControlId(new QLabel(Text(kTextFilterString)), kTextFilterString));
  filter_row->addWidget(filter_text_, 1);
  filter_row->addWidget(filter);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->setObjectName(QStringLiteral("dialogButtons"));
  buttons->addButton(select_all, QDialogButtonBox::ActionRole);
  buttons->addButton(deselect_all, QDialogButtonBox::ActionRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filter_row);
  layout->addWidget(view_, 1);
  layout->addWidget(buttons);
  TranslateDialog(this, dialog::kImportFeeds);
  resize(720, 460);
}

void ImportFeedsDialog::ApplyFilter() {
  const auto filter = static_cast<FoundFeedFilter>(filter_field_->currentIndex());
  // "No Filter" over a list that is not filtered keeps the rows and their check boxes.
  if (filter == FoundFeedFilter::kNoFilter && current_filter_ == FoundFeedFilter::kNoFilter) return;
  current_filter_ = filter;
  model_->SetFeeds(FilterFoundFeeds(all_, filter, FromQt(filter_text_->text())));
}

int ImportFoundFeeds(QWidget* parent, ColumnTree& tree, const FoundFeedTree& list,
                     const NewColumnDefaults& defaults) {
  ImportFeedsDialog dialog(list, parent);
  if (dialog.exec() != QDialog::Accepted) return 0;
  const FoundFeedList chosen = dialog.Chosen();
  const int before = static_cast<int>(tree.Columns().size());
  for (const std::string& refusal : CreateChosenColumns(tree, chosen, nullptr, defaults))
    ShowExclamation(parent, Text(kTextNotification), ToQt(refusal));
  return static_cast<int>(tree.Columns().size()) - before;
}

}  // namespace tarsel::ui
