#pragma once

// Changing a record's unread or deleted flag in whatever holds it: a feed column keeps its
// counts through its own record operations; a memories column counts when asked. Same thread
// and locking rules as the holder's (a feed column's lock against a merging worker).

#include "store/record.h"
#include "store/tree_node.h"

namespace tarsel {

// Sets or clears unread; true when the flag changed (a deleted record stays read).
bool SetRecordUnread(TreeNode& holder, Record& record, bool unread);
// MarkRecordDeleted.
void DeleteRecord(TreeNode& holder, Record& record);

}  // namespace tarsel
