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

std::unique_ptr<ColumnStoreSession> OpenWithParentGroup(const std::optional<std::string>& group_id,
                                                        ColumnGroup*& parent, int& status) {
  status = kExitOk;
  auto session = ColumnStoreSession::Open(StoreAccess::kWrite, status);
  if (!session) return nullptr;
  if (ParentGroup(*session, group_id, parent)) return session;
  status = kExitFailure;
  return nullptr;
}

void RemoveNode(TreeNode& node) {
  if (node.parent != nullptr) node.parent->RemoveChild(&node);
}

}  // namespace tarsel::cli
