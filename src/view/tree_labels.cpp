#include "view/tree_labels.h"

#include <algorithm>
#include <cstdio>

#include "net/download/failure_code.h"
#include "store/column.h"
#include "view/main_window_text.h"
#include "view/string_table.h"

namespace tarsel {

std::string TreeLabel(const TreeNode& node) {
  return TreeLabel(node, CountsOf(node));
}

std::string TreeLabel(const TreeNode& node, const NodeCounts& node_counts) {
  const std::string title = TitleWithoutWaiting(node);
  const int total = node_counts.total;
  const int unread = node_counts.unread;
  char counts[32];
  if (node.Kind() != NodeKind::kMemoriesColumn && unread > 0) {
    std::snprintf(counts, sizeof(counts), " (%d/%d)", unread, total);
  } else {
    std::snprintf(counts, sizeof(counts), " (%d)", total);
  }
  return title + counts;
}

std::vector<const TreeNode*> LabelChain(const TreeNode& node) {
  std::vector<const TreeNode*> chain{&node};
  // The root group lists the top level and has no parent itself.
  for (const ColumnGroup* group = node.parent; group != nullptr && group->parent != nullptr;
       group = group->parent) {
    chain.push_back(group);
  }
  return chain;
}

std::vector<TreeNodeRef> ShownChildren(const ColumnGroup& group, bool sorted) {
  std::vector<TreeNodeRef> children = group.children();
  if (!sorted) return children;
  // Titles are compared once each, not on every comparison of a large group.
  std::vector<std::pair<std::string, TreeNodeRef>> keyed;
  keyed.reserve(children.size());
  for (TreeNodeRef& child : children) {
    keyed.emplace_back(TitleWithoutWaiting(*child), std::move(child));
  }
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    const bool a_group = a.second->Kind() == NodeKind::kGroup;
    const bool b_group = b.second->Kind() == NodeKind::kGroup;
    if (a_group != b_group) return a_group;
    return a.first < b.first;  // std::string compares bytes as unsigned char
  });
  children.clear();
  for (auto& [title, child] : keyed) children.push_back(std::move(child));
  return children;
}

NodeIcon IconOf(const TreeNode& node) {
  switch (node.Kind()) {
    case NodeKind::kGroup:
      return NodeIcon::kGroup;
    case NodeKind::kMemoriesColumn:
      return NodeIcon::kMemoriesColumn;
    case NodeKind::kColumn:
      break;
  }
  const auto& column = static_cast<const Column&>(node);
  if (column.update_state.load() != kUpdateIdle) return NodeIcon::kColumnUpdating;
  const int32_t result = column.last_result.load();
  // Kind 1 (no connection) is not the column's fault and shows no failure.
  if (result != kFailureNone && result != kFailureNoConnection) return NodeIcon::kColumnFailed;
  return NodeIcon::kColumn;
}

std::string RecordsPaneCaption(const TreeNode* node) {
  if (node == nullptr) return GetText(text::kChannelDescription);
  if (node->Kind() != NodeKind::kGroup) {
    std::string description = node->Description();
    if (!description.empty()) return description;
    std::string title = node->DisplayName();
    if (!title.empty()) return title;
  }
  return GetText(text::kColumnCaption);
}

}  // namespace tarsel
