#include "view/node_counts.h"

#include <mutex>

#include "store/column.h"

namespace tarsel {

NodeCounts CountCache::Of(const TreeNode& node) {
  if (node.Kind() == NodeKind::kColumn) return OfColumn(node);
  if (node.Kind() == NodeKind::kGroup) {
    NodeCounts sum;
    for (const TreeNodeRef& child : static_cast<const ColumnGroup&>(node).children()) {
      const NodeCounts counts = Of(*child);
      sum.unread += counts.unread;
      sum.total += counts.total;
    }
    return sum;
  }
  return {node.UnreadCount(), node.TotalCount()};
}

NodeCounts CountCache::OfColumn(const TreeNode& node) {
  auto& column = const_cast<Column&>(static_cast<const Column&>(node));
  if (column.update_state.load() == kUpdateRunning) {
    std::unique_lock<std::mutex> lock(column.lock, std::try_to_lock);
    if (!lock.owns_lock()) {
      const auto found = seen_.find(&node);
      return found == seen_.end() ? NodeCounts{} : found->second;
    }
    const NodeCounts counts{column.UnreadCount(), column.TotalCount()};
    seen_[&node] = counts;
    return counts;
  }
  const NodeCounts counts{column.UnreadCount(), column.TotalCount()};
  seen_[&node] = counts;
  return counts;
}

std::string TitleWithoutWaiting(const TreeNode& node) {
  if (node.Kind() != NodeKind::kColumn) return node.DisplayName();
  auto& column = const_cast<Column&>(static_cast<const Column&>(node));
  if (column.update_state.load() != kUpdateRunning) return column.DisplayName();
  std::unique_lock<std::mutex> lock(column.lock, std::try_to_lock);
  return lock.owns_lock() ? column.DisplayName() : column.name;
}

}  // namespace tarsel
