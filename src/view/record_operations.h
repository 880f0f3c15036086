#pragma once

// The one set of operations that change records' marks: read, unread, persistent and deleted,
// one record at a time, every listed row, or every record below a tree node. The records list,
// the columns tree, the record pane and tarsel-cli all change marks through here, so "Mark All
// Read" means the same wherever it is chosen (unread and new both cleared).
//
// Main thread only. A feed column's records may be read by its update worker while it merges:
// they are changed only while the column's lock can be taken without waiting (ColumnEditLock),
// and the change is refused otherwise, so the window never waits on a worker.

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "store/record.h"
#include "store/tree_node.h"
#include "view/records_view_model.h"

namespace tarsel {

class Column;

enum class RecordMark {
  kRead,        // clears unread and new
  kUnread,      // sets unread
  kPersistent,  // flips persistent
  kDeleted,     // MarkRecordDeleted
};

// Holds a feed column's lock when it can be taken at once; other nodes (memories columns,
// groups) need none, so the lock counts as held for them.
class ColumnEditLock {
 public:
  explicit ColumnEditLock(TreeNode& node);
  bool held() const { return held_; }

 private:
  std::unique_lock<std::mutex> lock_;
  bool held_ = true;
};

// Applies `mark` to `record` of `column`. False when nothing changed: the record already had
// that state, or the column is busy merging.
bool ApplyRecordMark(TreeNode& column, Record& record, RecordMark mark);

// Marks every row of `view` read or unread. Returns the columns in which some record changed,
// each once.
std::vector<std::shared_ptr<TreeNode>> MarkAllRows(RecordsViewModel& view, bool unread);

// Marks every record of the column, or of every column below the group, read or unread;
// records the user deleted stay as they are, and a column busy merging is left as it is.
// Returns the columns in which some record changed.
std::vector<std::shared_ptr<Column>> MarkNodeRecords(TreeNode& node, bool unread);

// The first row below `from` (-1: from the top) whose record is unread; -1 when none.
int64_t NextUnreadRow(const RecordsViewModel& view, int64_t from);
// The nearest row above `from` (-1 or past the end: from the bottom) whose record is unread;
// -1 when none.
int64_t PrevUnreadRow(const RecordsViewModel& view, int64_t from);

}  // namespace tarsel
