#pragma once

// Unread and total record counts of tree nodes, and titles, read without waiting for a merging
// worker. A feed column keeps its counts as merges and marks change them, so reading them
// scans no record and takes no lock; a group sums its columns' counts; a memories column counts
// its records (never unread), which no worker touches.
//
// Main thread only.

#include <cstdint>
#include <string>

#include "store/tree_node.h"

namespace tarsel {

struct NodeCounts {
  int32_t unread = 0;
  int32_t total = 0;
};

NodeCounts CountsOf(const TreeNode& node);

// The node's title (DisplayName) without waiting for a merging worker: while one holds a
// column's lock, the column's own name stands in.
std::string TitleWithoutWaiting(const TreeNode& node);

}  // namespace tarsel
