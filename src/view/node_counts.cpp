#include "view/node_counts.h"

#include <mutex>

#include "store/column.h"

namespace tarsel {

NodeCounts CountsOf(const TreeNode& node) {
  return {node.UnreadCount(), node.TotalCount()};
}

std::string TitleWithoutWaiting(const TreeNode& node) {
  if (node.Kind() != NodeKind::kColumn) return node.DisplayName();
  auto& column = const_cast<Column&>(static_cast<const Column&>(node));
  if (column.update_state.load() != kUpdateRunning) return column.DisplayName();
  std::unique_lock<std::mutex> lock(column.lock, std::try_to_lock);
  return lock.owns_lock() ? column.DisplayName() : column.name;
}

}  // namespace tarsel
