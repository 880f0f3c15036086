#pragma once

// A Qt item model over one of the store's trees (the columns tree or the memories tree). Rows
// are the tree's nodes in the order the tree shows them (ShownChildren); the display text is the
// node's label with its counts, the decoration its icon. The model keeps the order it computed
// until Rebuild: call it after nodes were added, removed or renamed, or the sort setting changed.
// When only counts or update states change, NodeChanged refreshes the node's line and the lines
// of the groups above it.
//
// Main thread only. The tree must outlive the model.

#include <QAbstractItemModel>
#include <QIcon>
#include <unordered_map>
#include <vector>

#include "store/column_tree.h"
#include "view/node_counts.h"

namespace tarsel::ui {

class TreeModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  static constexpr int kNodeIdRole = Qt::UserRole + 1;

  TreeModel(ColumnTree& tree, bool sorted, QObject* parent = nullptr);

  void SetSorted(bool sorted);
  // Recomputes the rows from the tree (a model reset).
  void Rebuild();
  // The node's line and those of its groups changed.
  void NodeChanged(const TreeNode& node);
  // Every line changed (counts after a bulk change); the rows stay.
  void AllChanged();

  TreeNode* NodeAt(const QModelIndex& index) const;
  QModelIndex IndexOf(const TreeNode* node) const;
  ColumnTree& tree() const { return tree_; }

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  void CollectRows(const ColumnGroup& group);
  const std::vector<TreeNodeRef>& ChildrenOf(const ColumnGroup* group) const;
  QIcon IconFor(const TreeNode& node) const;

  ColumnTree& tree_;
  bool sorted_;
  std::unordered_map<const ColumnGroup*, std::vector<TreeNodeRef>> children_;
  std::unordered_map<const TreeNode*, int> row_of_;
  QIcon column_icon_, updating_icon_, failed_icon_, group_icon_, memories_icon_;
};

}  // namespace tarsel::ui
