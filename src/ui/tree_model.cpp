#include "ui/tree_model.h"

#include <QApplication>
#include <QStyle>

#include "net/download/failure_code.h"
#include "ui/qt_text.h"
#include "view/tree_labels.h"

namespace tarsel::ui {

TreeModel::TreeModel(ColumnTree& tree, bool sorted, QObject* parent)
    : QAbstractItemModel(parent), tree_(tree), sorted_(sorted) {
  QStyle* style = QApplication::style();
  column_icon_ = style->standardIcon(QStyle::SP_FileIcon);
  updating_icon_ = style->standardIcon(QStyle::SP_BrowserReload);
  failed_icon_ = style->standardIcon(QStyle::SP_MessageBoxWarning);
  group_icon_ = style->standardIcon(QStyle::SP_DirIcon);
  memories_icon_ = style->standardIcon(QStyle::SP_FileDialogDetailedView);
  CollectRows(tree_.root());
}

void TreeModel::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  sorted_ = sorted;
  Rebuild();
}

void TreeModel::Rebuild() {
  beginResetModel();
  children_.clear();
  row_of_.clear();
  CollectRows(tree_.root());
  endResetModel();
}

void TreeModel::CollectRows(const ColumnGroup& group) {
  std::vector<TreeNodeRef>& rows = children_[&group];
  rows = ShownChildren(group, sorted_);
  for (size_t i = 0; i < rows.size(); ++i) {
    row_of_[rows[i].get()] = static_cast<int>(i);
    if (rows[i]->Kind() == NodeKind::kGroup) CollectRows(static_cast<const ColumnGroup&>(*rows[i]));
  }
}

const std::vector<TreeNodeRef>& TreeModel::ChildrenOf(const ColumnGroup* group) const {
  static const std::vector<TreeNodeRef> none;
  const auto found = children_.find(group);
  return found == children_.end() ? none : found->second;
}

void TreeModel::NodeChanged(const TreeNode& node) {
  for (const TreeNode* line : LabelChain(node)) {
    const QModelIndex index = IndexOf(line);
    if (index.isValid()) emit dataChanged(index, index);
  }
}

void TreeModel::AllChanged() {
  // One signal per level is enough for the views to repaint what they show.
  std::vector<QModelIndex> parents{QModelIndex()};
  while (!parents.empty()) {
    const QModelIndex parent = parents.back();
    parents.pop_back();
    const int rows = rowCount(parent);
    if (rows == 0) continue;
    emit dataChanged(index(0, 0, parent), index(rows - 1, 0, parent));
    for (int row = 0; row < rows; ++row) {
      const QModelIndex child = index(row, 0, parent);
      if (NodeAt(child)->Kind() == NodeKind::kGroup) parents.push_back(child);
    }
  }
}

TreeNode* TreeModel::NodeAt(const QModelIndex& index) const {
  return index.isValid() ? static_cast<TreeNode*>(index.internalPointer()) : nullptr;
}

QModelIndex TreeModel::IndexOf(const TreeNode* node) const {
  if (node == nullptr) return {};
  const auto found = row_of_.find(node);
  if (found == row_of_.end()) return {};
  return createIndex(found->second, 0, const_cast<TreeNode*>(node));
}

QModelIndex TreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (column != 0 || row < 0) return {};
  const TreeNode* parent_node = NodeAt(parent);
  const ColumnGroup* group = parent_node == nullptr ? &tree_.root()
                             : parent_node->Kind() == NodeKind::kGroup
                                 ? static_cast<const ColumnGroup*>(parent_node)
                                 : nullptr;
  if (group == nullptr) return {};
  const std::vector<TreeNodeRef>& rows = ChildrenOf(group);
  if (static_cast<size_t>(row) >= rows.size()) return {};
  return createIndex(row, 0, rows[static_cast<size_t>(row)].get());
}

QModelIndex TreeModel::parent(const QModelIndex& child) const {
  const TreeNode* node = NodeAt(child);
  if (node == nullptr || node->parent == nullptr || node->parent == &tree_.root()) return {};
  return IndexOf(node->parent);
}

int TreeModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  const TreeNode* node = NodeAt(parent);
  if (node == nullptr) return static_cast<int>(ChildrenOf(&tree_.root()).size());
  if (node->Kind() != NodeKind::kGroup) return 0;
  return static_cast<int>(ChildrenOf(static_cast<const ColumnGroup*>(node)).size());
}

int TreeModel::columnCount(const QModelIndex&) const {
  return 1;
}

QVariant TreeModel::data(const QModelIndex& index, int role) const {
  const TreeNode* node = NodeAt(index);
  if (node == nullptr) return {};
  switch (role) {
    case Qt::DisplayRole:
      return ToQt(TreeLabel(*node));
    case Qt::DecorationRole:
      return IconFor(*node);
    case Qt::ToolTipRole:
      if (IconOf(*node) == NodeIcon::kColumnFailed) {
        return ToQt(FailureMessage(static_cast<const Column&>(*node).last_result.load()));
      }
      return {};
    case kNodeIdRole:
      return node->id;
    default:
      return {};
  }
}

Qt::ItemFlags TreeModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::ItemIsDropEnabled;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
}

QIcon TreeModel::IconFor(const TreeNode& node) const {
  switch (IconOf(node)) {
    case NodeIcon::kColumn:
      return column_icon_;
    case NodeIcon::kColumnUpdating:
      return updating_icon_;
    case NodeIcon::kColumnFailed:
      return failed_icon_;
    case NodeIcon::kGroup:
      return group_icon_;
    case NodeIcon::kMemoriesColumn:
      return memories_icon_;
  }
  return {};
}

}  // namespace tarsel::ui
