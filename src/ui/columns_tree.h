#pragma once

// The columns tree pane ("ColumnsTree") and the memories tree pane ("MemoriesTree"): tree views
// over a TreeModel. The columns tree selects several columns at once and accepts dropped text
// (a feed address becomes a column: the window decides). Both ask the window for their context
// menu with the menu number that fits what is under the cursor.
//
// Main thread only.

#include <QTimer>
#include <QTreeView>
#include <functional>
#include <memory>
#include <vector>

#include "store/tree_node.h"
#include "ui/tree_model.h"

namespace tarsel::ui {

class NodeTree : public QTreeView {
  Q_OBJECT

 public:
  NodeTree(TreeModel* model, bool memories, QWidget* parent = nullptr);

  TreeModel* model() const { return model_; }
  // The current node (the one the records list shows); null when none.
  TreeNodeRef CurrentNode() const;
  // Every selected node, in the order the tree shows them.
  std::vector<TreeNodeRef> SelectedNodes() const;
  // The columns of the selected nodes (a group gives its columns), else of the current node;
  // a column picked alone and inside a picked group counts once.
  std::vector<std::shared_ptr<Column>> SelectedColumns() const;
  // Makes `node` current and selected alone (nothing when null or not in the tree).
  void SelectNode(const TreeNode* node);
  // Rebuilds the rows keeping the current node and the expanded groups.
  void Rebuild();
  // Sorts the rows by name or shows them in stored order, keeping the current node and the
  // expanded groups.
  void SetSorted(bool sorted);

 signals:
  // The current node changed (null: none), or the current node was clicked again.
  void CurrentNodeChanged(std::shared_ptr<tarsel::TreeNode> node);
  // The user asked for a context menu: its number and where.
  void MenuRequested(int menu_id, QPoint global_position);
  // Text was dropped on the tree.
  void TextDropped(QString text);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  int MenuFor(const QModelIndex& index) const;
  TreeNodeRef RefOf(const TreeNode* node) const;
  void RebuildKeepingPlace(const std::function<void()>& rebuild);
  void ApplyExpanded(const QModelIndex& parent);
  void FitWidthLater();

  TreeModel* model_;
  bool memories_;
  QTimer fit_width_;  // one fit of the column to its labels per burst of changes
};

}  // namespace tarsel::ui
