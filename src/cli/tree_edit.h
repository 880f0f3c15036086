#pragma once

// Changes tarsel-cli makes to the columns tree, as the desktop program's tree commands make
// them. Main thread (the CLI's one thread).

#include <memory>
#include <optional>
#include <string>

#include "cli/column_store_session.h"
#include "store/tree_node.h"

namespace tarsel::cli {

// The group a new node goes into: the root when `group_id` is absent, else the group with that
// id. False, with the reason printed, when the id names no group.
bool ParentGroup(ColumnStoreSession& session, const std::optional<std::string>& group_id,
                 ColumnGroup*& parent);

// The data folder opened for writing, and the group a new node goes into (ParentGroup of the
// --group option). Null, with `status` the exit status and the reason printed, when either fails.
std::unique_ptr<ColumnStoreSession> OpenWithParentGroup(const std::optional<std::string>& group_id,
                                                        ColumnGroup*& parent, int& status);

// Takes `node` (with everything below it) out of its group.
void RemoveNode(TreeNode& node);

}  // namespace tarsel::cli
