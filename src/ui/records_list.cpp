#include "ui/records_list.h"

#include <QHeaderView>
#include <QMessageBox>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "settings/settings.h"
#include "store/column.h"
#include "ui/qt_text.h"
#include "ui/records_delegate.h"
#include "ui/records_list_view.h"
#include "ui/records_model.h"
#include "ui/settings_owner.h"
#include "update/update_options.h"
#include "view/quick_views.h"
#include "view/record_operations.h"
#include "view/records_list_cells.h"
#include "view/records_view_model_texts.h"
#include "view/tree_labels.h"

namespace tarsel::ui {
namespace {

bool AskYesNo(QWidget* parent, const QString& text, const QString& caption) {
  return QMessageBox::warning(parent, caption, text, QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace

RecordsList::RecordsList(SettingsOwner& settings, CommandActions& actions, QWidget* parent)
    : QWidget(parent), settings_(settings), actions_(actions) {
  setObjectName("RSSItemsCtrl");
  setAccessibleName(Text(kTextRecordsListName));
  confirm_delete_ = [this](const QString& text, const QString& caption) {
    return AskYesNo(this, text, caption);
  };
  clock_ = [] { return NowSeconds(); };
  BuildWidgets();
  SetUpHeader();
  ApplyHeaderWidths();
  BindCommands();
  Refresh();
}

RecordsList::~RecordsList() = default;

void RecordsList::BuildWidgets() {
  view_ = new RecordsListView(this);
  view_->setObjectName("RSSItemsView");
  view_->setAccessibleName(Text(kTextRecordsListName));
  model_ = new RecordsModel(this);
  view_->setModel(model_);
  delegate_ = new RecordsDelegate(model_, view_);
  view_->SetRecordsDelegate(delegate_);
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);

  read_timer_ = new QTimer(this);
  read_timer_->setObjectName("ReadTimer");
  read_timer_->setSingleShot(true);
  // Precise, so the wait is the user's setting and not up to 5 % more.
  read_timer_->setTimerType(Qt::PreciseTimer);
  connect(read_timer_, &QTimer::timeout, this, &RecordsList::MarkItemRead);
  // The selection, not the current row: a click moves the current row before it selects,
  // so at currentRowChanged the clicked row is not selected yet.
  connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &RecordsList::OnCurrentRowChanged);
  connect(view_, &QAbstractItemView::clicked, this,
          [this](const QModelIndex& index) { OnCellClicked(index.row(), index.column()); });
  connect(view_, &QWidget::customContextMenuRequested, this, &RecordsList::ShowRowMenu);
}

void RecordsList::SetDeleteConfirmation(
    std::function<bool(const QString& text, const QString& caption)> ask) {
  confirm_delete_ = std::move(ask);
}

void RecordsList::ShowNode(const TreeNodeRef& node) {
  if (!node) {
    ShowSource(std::monostate{});
    return;
  }
  ShowSource(NodeSource{node});
}

void RecordsList::ShowQuickView(int index) {
  if (QuickViewCaptionId(index) == 0) return;
  ShowSource(QuickViewSource{index});
}

void RecordsList::ShowSearch(const SearchChoices& choices) {
  last_search_ = choices;
  ShowSource(choices);
}

void RecordsList::ShowSource(Source source) {
  source_ = std::move(source);
  sort_column_ = -1;
  view_->header()->setSortIndicatorShown(false);
  Refresh();
  ScrollToStart();
  emit CaptionChanged(Caption());
}

// A newly shown list starts at its top, never at the scroll position of the list shown before,
// with the selected row (or else the first unread one) in view.
void RecordsList::ScrollToStart() {
  view_->scrollToTop();
  int64_t row = SelectedRow();
  if (row < 0) row = NextUnreadRow(model_->view(), -1);
  if (row >= 0) view_->scrollTo(model_->index(static_cast<int>(row), kTitleColumn));
}

void RecordsList::Refresh() {
  const RecordRef previous = SelectedRecord();
  const std::shared_ptr<TreeNode> previous_column = SelectedColumn();
  const Settings& settings = settings_.Get();
  RecordsViewModel view;
  if (const auto* node_source = std::get_if<NodeSource>(&source_)) {
    if (const TreeNodeRef node = node_source->node.lock()) {
      view = RecordsViewModel::BuildForNode(*node, settings);
    }
  } else if (const auto* quick = std::get_if<QuickViewSource>(&source_)) {
    if (column_tree_) {
      view = BuildQuickView(*column_tree_, quick->index, clock_()).value_or(RecordsViewModel());
    }
  } else if (const auto* search = std::get_if<SearchChoices>(&source_)) {
    if (column_tree_) {
      view = BuildSearchResult(*column_tree_, SearchRule(*search, CodePageForSettings(settings)));
    }
  }
  view_->SetEmptyText(ToQt(view.empty_text()));
  view_->SetDescriptionsShown(settings.descriptions_show);
  model_->SetView(std::move(view), settings);
  ApplyHeaderVisibility();
  FitPendingColumns();
  // The record being read stays selected when the rebuilt view still lists it, even as a new
  // object from a merge: the pane keeps showing it and its read timer keeps running.
  const int64_t row =
      previous ? model_->view().FindSameRecord(*previous, previous_column.get()) : -1;
  if (row >= 0) {
    KeepSelection(static_cast<int>(row));
  } else {
    read_timer_->stop();
    OnCurrentRowChanged();
  }
}

void RecordsList::KeepSelection(int row) {
  const QModelIndex index = model_->index(row, kTitleColumn);
  keeping_selection_ = true;
  view_->selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  keeping_selection_ = false;
  announced_ = model_->view().RecordAt(static_cast<size_t>(row));
}

QString RecordsList::Caption() const {
  if (const auto* node_source = std::get_if<NodeSource>(&source_)) {
    if (const TreeNodeRef node = node_source->node.lock()) {
      return ToQt(RecordsPaneCaption(node.get()));
    }
  } else if (const auto* quick = std::get_if<QuickViewSource>(&source_)) {
    return Text(QuickViewCaptionId(quick->index));
  } else if (std::holds_alternative<SearchChoices>(source_)) {
    return ToQt(SearchCaption(model_->view().size()));
  }
  return ToQt(RecordsPaneCaption(nullptr));
}

RecordRef RecordsList::SelectedRecord() const {
  const int row = SelectedRow();
  return row < 0 ? nullptr : model_->view().RecordAt(static_cast<size_t>(row));
}

std::shared_ptr<TreeNode> RecordsList::SelectedColumn() const {
  const int row = SelectedRow();
  return row < 0 ? nullptr : model_->view().ColumnAt(static_cast<size_t>(row));
}

int RecordsList::SelectedRow() const {
  const QModelIndexList rows = view_->selectionModel()->selectedRows();
  if (rows.isEmpty()) return -1;
  const int row = rows.first().row();
  return row < model_->rowCount() ? row : -1;
}

void RecordsList::SelectRow(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  const QModelIndex index = model_->index(row, kTitleColumn);
  view_->selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  view_->scrollTo(index);
  // A selection made again by code still counts as selecting: the wait starts anew.
  OnCurrentRowChanged();
}

void RecordsList::OnCurrentRowChanged() {
  if (keeping_selection_) return;
  const int row = SelectedRow();
  if (row < 0) {
    read_timer_->stop();
    if (announced_) {
      announced_ = nullptr;
      emit RecordSelected(nullptr, nullptr);
    }
    return;
  }
  RestartReadTimer();
  const RecordRef record = model_->view().RecordAt(static_cast<size_t>(row));
  if (record == announced_) return;
  announced_ = record;
  emit RecordSelected(record, model_->view().ColumnAt(static_cast<size_t>(row)));
}

void RecordsList::RestartReadTimer() {
  const int32_t seconds = std::max(settings_.Get().mark_read_seconds, 0);
  read_timer_->start(std::min(seconds, 86400) * 1000);
}

void RecordsList::SetUpHeader() {
  QHeaderView* header = view_->header();
  header->setObjectName("RSSHeaderCtrl");
  header->setAccessibleName(Text(kTextRecordsListName));
  header->setSectionsClickable(true);
  header->setSectionsMovable(false);
  header->setStretchLastSection(false);
  header->setMinimumSectionSize(16);
  header->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(header, &QHeaderView::sectionClicked, this, &RecordsList::OnHeaderClicked);
  connect(header, &QWidget::customContextMenuRequested, this, &RecordsList::ShowHeaderMenu);
}

// Once, at creation: from then on the header holds the widths the user gives it, and they go
// into the settings when a column is hidden and at close.
void RecordsList::ApplyHeaderWidths() {
  const Settings& settings = settings_.Get();
  const std::map<std::string, HeaderSetting> presets = DefaultHeaders();
  QHeaderView* header = view_->header();
  for (int column = 0; column < kRecordsColumnCount; ++column) {
    const auto width = settings.headers.find(ColumnInfo(column).width_key);
    // Stored widths of 0 (the icon columns' default) still leave room for the icon.
    const int pixels = width == settings.headers.end() ? 0 : width->second.width;
    // An icon column at its default width reads its header in full, in every language.
    const int fitting = pixels == 0 ? std::max(24, header->sectionSizeHint(column)) : pixels;
    header->resizeSection(column, std::clamp(fitting, 24, 4000));
    // A text column still at the default width was never sized by the user: it is fitted to
    // the first records it shows, as the desktop's fonts need (dates are wider than on Windows).
    const auto preset = presets.find(ColumnInfo(column).width_key);
    const bool text_column = preset != presets.end() && preset->second.width > 0;
    if (text_column && pixels == preset->second.width) fit_pending_.push_back(column);
  }
}

void RecordsList::FitPendingColumns() {
  if (fit_pending_.empty() || model_->rowCount() == 0) return;
  QHeaderView* header = view_->header();
  for (int column : fit_pending_) {
    const int preset = header->sectionSize(column);
    view_->resizeColumnToContents(column);
    // Long titles would push the other columns away: the title only grows to a limit.
    const int limit = column == kTitleColumn ? 2 * preset : 4000;
    header->resizeSection(column, std::clamp(header->sectionSize(column), preset, limit));
  }
  fit_pending_.clear();
}

void RecordsList::ApplyHeaderVisibility() {
  const Settings& settings = settings_.Get();
  QHeaderView* header = view_->header();
  for (int column = 0; column < kRecordsColumnCount; ++column) {
    const RecordsColumnInfo& info = ColumnInfo(column);
    bool visible = true;
    if (info.visibility_key) {
      const auto entry = settings.headers.find(info.visibility_key);
      visible = entry == settings.headers.end() || entry->second.visible;
    }
    header->setSectionHidden(column, !visible);
  }
}

void RecordsList::SaveColumnWidths() {
  QHeaderView* header = view_->header();
  settings_.Record([header](Settings& settings) {
    for (int column = 0; column < kRecordsColumnCount; ++column) {
      // A hidden column keeps the width it had when shown.
      if (header->isSectionHidden(column)) continue;
      settings.headers[ColumnInfo(column).width_key].width = header->sectionSize(column);
    }
  });
}

void RecordsList::ToggleHeaderColumn(int command_id) {
  const int column = ColumnOfShowCommand(command_id);
  if (column < 0) return;
  SaveColumnWidths();
  settings_.Record([column](Settings& settings) {
    HeaderSetting& entry = settings.headers[ColumnInfo(column).visibility_key];
    entry.visible = !entry.visible;
  });
  ApplyHeaderVisibility();
}

void RecordsList::OnHeaderClicked(int column) {
  const bool ascending = column != sort_column_ || !sort_ascending_;
  const RecordRef selected = SelectedRecord();
  model_->SortByColumn(column, ascending);
  sort_column_ = column;
  sort_ascending_ = ascending;
  QHeaderView* header = view_->header();
  header->setSortIndicatorShown(true);
  header->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
  view_->selectionModel()->clearSelection();
  const int64_t row = selected ? model_->view().FindRow(selected.get()) : -1;
  if (row >= 0) {
    const QModelIndex index = model_->index(static_cast<int>(row), kTitleColumn);
    view_->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view_->scrollTo(index);
  }
}

}  // namespace tarsel::ui
