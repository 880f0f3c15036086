#pragma once

// What the columns tree and the memories tree show for a node: its label, the order of a
// group's children, and the caption the records pane takes when the node is selected.
// Main thread (counts are the columns' kept counts, read without their locks). Texts are
// bytes in the program's code page.

#include <string>
#include <vector>

#include "store/tree_node.h"
#include "view/node_counts.h"

namespace tarsel {

// Columns tree: a group or column with unread records "title (unread/total)", otherwise
// "title (total)"; a group counts over its columns. Memories tree: a memories column
// "name (total)", a memories group as a columns-tree group.
std::string TreeLabel(const TreeNode& node, const NodeCounts& counts);
// The same with the node's own counts.
std::string TreeLabel(const TreeNode& node);

// The node and every group above it (the root excluded): the labels to rebuild when the
// node's counts change, the node first.
std::vector<const TreeNode*> LabelChain(const TreeNode& node);

// A group's children in the order the tree shows them. Sorted: groups first, then by title
// (DisplayName) in byte order; otherwise the stored order.
std::vector<TreeNodeRef> ShownChildren(const ColumnGroup& group, bool sorted);

// Icons of a columns-tree node.
enum class NodeIcon { kColumn, kColumnUpdating, kColumnFailed, kGroup, kMemoriesColumn };
NodeIcon IconOf(const TreeNode& node);

// The records pane caption for a selected node: a column's channel description, else its
// title (a memories column: its name), else "Column" (435); a group (or nothing): "Column"; no
// selection at start: "Channel Description" (434), which the caller asks for with a null node.
std::string RecordsPaneCaption(const TreeNode* node);

}  // namespace tarsel
