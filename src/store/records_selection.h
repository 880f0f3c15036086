#pragma once

// Gathering the records a records list shows for a selected node, with the columns' filters
// applied. Main thread; a column being updated is skipped, so its worker holds no record the
// selection reads.

#include <cstdint>
#include <memory>
#include <vector>

#include "store/record.h"
#include "store/tree_node.h"

namespace tarsel {

// Which records a selected group lists (the values of the groupitems setting).
enum class GroupRecords : int32_t {
  kAll = 0,     // every record of the group's columns
  kUnread = 1,  // only unread records
  kNone = 2,    // nothing (a column selected on its own still lists its records)
};

// One row of a records list: the record and the column or memories column that holds it.
struct SelectedRecord {
  std::shared_ptr<TreeNode> column;
  RecordRef record;
};

// The records of `node` in collection order: a column's records, a memories column's records,
// or a group's records column by column in tree order (subject to `group_mode`). Deleted
// records are left out; a column that is updating gives none. The rest pass through their
// column's filter rules, which may mark records read at this moment.
std::vector<SelectedRecord> SelectRecords(TreeNode& node, GroupRecords group_mode);

}  // namespace tarsel
