#include "cli/tree_edit.h"

#include <memory>
#include <vector>

#include "cli/cli_args.h"
#include "store/column.h"

namespace tarsel::cli {

bool ParentGroup(ColumnStoreSession& session, const std::optional<std::string>& group_id,
                 ColumnGroup*& parent) {
  parent = nullptr;
  if (!group_id) return true;
  const TreeNodeRef node = session.FindNode(*group_id);
  if (!node) return false;
  if (node->Kind() != NodeKind::kGroup) {
    Fail(kExitFailure, "node " + std::to_string(node->id) + " is not a group");
    return false;
  }
  parent = static_cast<ColumnGroup*>(node.get());
  return true;
}

void RemoveNode(TreeNode& node) {
  if (node.parent != nullptr) node.parent->RemoveChild(&node);
}

}  // namespace tarsel::cli
