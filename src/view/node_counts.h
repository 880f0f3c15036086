#pragma once

// Unread and total record counts of tree nodes, read without waiting for a merging worker.
// While a column updates, its worker may replace the record list under the column's lock; the
// window thread must neither read the list then nor wait for the lock. A column whose lock is
// taken gives the counts seen last time instead.
//
// Main thread only.

#include <cstdint>
#include <string>
#include <unordered_map>

#include "store/tree_node.h"

namespace tarsel {

struct NodeCounts {
  int32_t unread = 0;
  int32_t total = 0;
};

class CountCache {
 public:
  // A group sums over its columns; a memories column counts its records (never unread).
  NodeCounts Of(const TreeNode& node);
  // Forgets what was seen of a node that leaves the tree.
  void Forget(const TreeNode* node) { seen_.erase(node); }

 private:
  NodeCounts OfColumn(const TreeNode& column);
  std::unordered_map<const TreeNode*, NodeCounts> seen_;
};

// The node's title (DisplayName) without waiting for a merging worker: while one holds a
// column's lock, the column's own name stands in.
std::string TitleWithoutWaiting(const TreeNode& node);

}  // namespace tarsel
