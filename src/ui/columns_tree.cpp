#include "ui/columns_tree.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QSignalBlocker>
#include <algorithm>

#include "store/column.h"
#include "ui/qt_text.h"
#include "view/command_table.h"
#include "view/main_window_text.h"

namespace tarsel::ui {

NodeTree::NodeTree(TreeModel* model, bool memories, QWidget* parent)
    : QTreeView(parent), model_(model), memories_(memories) {
  setObjectName(memories ? QStringLiteral("MemoriesTree") : QStringLiteral("ColumnsTree"));
  setAccessibleName(Text(memories ? text::kMemoriesTitle : text::kColumnsTreeTitle));
  setModel(model);
  header()->hide();
  // Long labels scroll sideways instead of losing their counts to an ellipsis. The column is
  // fitted to its labels once per burst of changes: fitting it on every change (ResizeToContents)
  // measures every label each time a column's counts change, which froze the window for minutes
  // while a thousand columns updated.
  header()->setSectionResizeMode(QHeaderView::Interactive);
  header()->setStretchLastSection(false);
  fit_width_.setSingleShot(true);
  fit_width_.setInterval(0);
  connect(&fit_width_, &QTimer::timeout, this, [this] { resizeColumnToContents(0); });
  connect(model, &QAbstractItemModel::dataChanged, this, &NodeTree::FitWidthLater);
  connect(model, &QAbstractItemModel::rowsInserted, this, &NodeTree::FitWidthLater);
  connect(model, &QAbstractItemModel::rowsRemoved, this, &NodeTree::FitWidthLater);
  connect(model, &QAbstractItemModel::modelReset, this, &NodeTree::FitWidthLater);
  connect(model, &QAbstractItemModel::layoutChanged, this, &NodeTree::FitWidthLater);
  connect(this, &QTreeView::expanded, this, &NodeTree::FitWidthLater);
  connect(this, &QTreeView::collapsed, this, &NodeTree::FitWidthLater);
  FitWidthLater();
  setUniformRowHeights(true);  // keeps ten thousand rows quick to lay out
  setSelectionMode(memories ? SingleSelection : ExtendedSelection);
  setAcceptDrops(!memories);
  setDropIndicatorShown(false);
  setEditTriggers(NoEditTriggers);
  ApplyExpanded({});
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            emit CurrentNodeChanged(RefOf(model_->NodeAt(current)));
          });
  // A click on the node already current asks for its records again (after a quick view, a
  // search or a memories column took the list); the window ignores it when they are shown.
  connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
    if (index == currentIndex()) emit CurrentNodeChanged(RefOf(model_->NodeAt(index)));
  });
  connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
    if (auto* group = dynamic_cast<ColumnGroup*>(model_->NodeAt(index))) group->expanded = true;
  });
  connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
    if (auto* group = dynamic_cast<ColumnGroup*>(model_->NodeAt(index))) group->expanded = false;
  });
}

// Qt makes the first row current when a view without a current row takes the focus: at start
// that would show the first group's records unasked. The tree keeps no current node until the
// user picks one (the arrow keys then start from the first row).
void NodeTree::focusInEvent(QFocusEvent* event) {
  const bool had_current = currentIndex().isValid();
  const QSignalBlocker quiet(selectionModel());
  QTreeView::focusInEvent(event);
  if (!had_current) selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

void NodeTree::FitWidthLater() {
  if (!fit_width_.isActive()) fit_width_.start();
}

TreeNodeRef NodeTree::RefOf(const TreeNode* node) const {
  if (node == nullptr) return nullptr;
  return const_cast<TreeNode*>(node)->shared_from_this();
}

TreeNodeRef NodeTree::CurrentNode() const {
  return RefOf(model_->NodeAt(currentIndex()));
}

std::vector<TreeNodeRef> NodeTree::SelectedNodes() const {
  QModelIndexList indexes = selectionModel()->selectedRows();
  std::sort(indexes.begin(), indexes.end(), [this](const QModelIndex& a, const QModelIndex& b) {
    return visualRect(a).top() < visualRect(b).top();
  });
  std::vector<TreeNodeRef> nodes;
  for (const QModelIndex& index : indexes) nodes.push_back(RefOf(model_->NodeAt(index)));
  return nodes;
}

std::vector<std::shared_ptr<Column>> NodeTree::SelectedColumns() const {
  std::vector<std::shared_ptr<Column>> columns;
  for (const TreeNodeRef& node : SelectedNodes()) node->CollectColumns(columns);
  if (columns.empty()) {
    if (const TreeNodeRef current = CurrentNode()) current->CollectColumns(columns);
  }
  std::vector<std::shared_ptr<Column>> unique;
  for (auto& column : columns) {
    if (std::find(unique.begin(), unique.end(), column) == unique.end()) unique.push_back(column);
  }
  return unique;
}

void NodeTree::SelectNode(const TreeNode* node) {
  const QModelIndex index = model_->IndexOf(node);
  if (!index.isValid()) return;
  for (QModelIndex up = index.parent(); up.isValid(); up = up.parent()) expand(up);
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  scrollTo(index);
}

void NodeTree::Rebuild() {
  RebuildKeepingPlace([this] { model_->Rebuild(); });
}

void NodeTree::SetSorted(bool sorted) {
  RebuildKeepingPlace([this, sorted] { model_->SetSorted(sorted); });
}

// A model reset closes every group and forgets the current row: both come back.
void NodeTree::RebuildKeepingPlace(const std::function<void()>& rebuild) {
  const TreeNodeRef current = CurrentNode();
  rebuild();
  ApplyExpanded({});
  if (current) SelectNode(current.get());
}

// Groups open as they were stored.
void NodeTree::ApplyExpanded(const QModelIndex& parent) {
  const int rows = model_->rowCount(parent);
  for (int row = 0; row < rows; ++row) {
    const QModelIndex index = model_->index(row, 0, parent);
    const auto* group = dynamic_cast<const ColumnGroup*>(model_->NodeAt(index));
    if (group == nullptr) continue;
    setExpanded(index, group->expanded);
    ApplyExpanded(index);
  }
}

int NodeTree::MenuFor(const QModelIndex& index) const {
  const TreeNode* node = model_->NodeAt(index);
  if (memories_) {
    if (node == nullptr) return kMemoriesTreeMenu;
    return node->Kind() == NodeKind::kGroup ? kMemoriesGroupMenu : kMemoriesColumnMenu;
  }
  if (node == nullptr) return kColumnsTreeMenu;
  if (selectionModel()->selectedRows().size() > 1 && selectionModel()->isSelected(index)) {
    return kSeveralColumnsMenu;
  }
  if (node->Kind() == NodeKind::kGroup) return kGroupMenu;
  const auto& column = static_cast<const Column&>(*node);
  return column.update_state.load() == kUpdateIdle ? kColumnMenu : kUpdatingColumnMenu;
}

void NodeTree::contextMenuEvent(QContextMenuEvent* event) {
  const QModelIndex index = indexAt(event->pos());
  // The menu acts on the node under the cursor: it becomes current unless it is part of a
  // multiple selection.
  if (index.isValid() && !selectionModel()->isSelected(index)) {
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  } else if (!index.isValid()) {
    clearSelection();
  }
  emit MenuRequested(MenuFor(index), event->globalPos());
}

void NodeTree::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasText() || event->mimeData()->hasUrls()) {
    event->acceptProposedAction();
  }
}

void NodeTree::dragMoveEvent(QDragMoveEvent* event) {
  event->acceptProposedAction();
}

void NodeTree::dropEvent(QDropEvent* event) {
  const QMimeData* mime = event->mimeData();
  QString text = mime->hasText() ? mime->text() : QString();
  if (text.isEmpty() && mime->hasUrls() && !mime->urls().isEmpty()) {
    text = mime->urls().first().toString();
  }
  event->acceptProposedAction();
  if (!text.isEmpty()) emit TextDropped(text);
}

}  // namespace tarsel::ui
