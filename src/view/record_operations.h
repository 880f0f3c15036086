#pragma once

// Changing the marks of listed records, and finding the next or previous unread row. Main
// thread only. A column's records may be read by its update worker while it merges: a change
// to a feed column's record is made only while the column's lock can be taken without waiting,
// and is refused (false) otherwise, so the window never waits on a worker.

#include <cstdint>
#include <memory>
#include <vector>

#include "store/record.h"
#include "store/tree_node.h"
#include "view/records_view_model.h"

namespace tarsel {

enum class RecordMark {
  kRead,        // clears unread and new
  kUnread,      // sets unread
  kPersistent,  // flips persistent
  kDeleted,     // MarkRecordDeleted
};

// Applies `mark` to `record` of `column`. False when nothing changed: the record already had
// that state, or the column is busy merging.
bool ApplyRecordMark(TreeNode& column, Record& record, RecordMark mark);

// Marks every row of `view` read or unread (each under its column's lock). Returns the columns
// in which some record changed, each once.
std::vector<std::shared_ptr<TreeNode>> MarkAllRows(RecordsViewModel& view, bool unread);

// The first row below `from` (-1: from the top) whose record is unread; -1 when none.
int64_t NextUnreadRow(const RecordsViewModel& view, int64_t from);
// The nearest row above `from` (-1 or past the end: from the bottom) whose record is unread;
// -1 when none.
int64_t PrevUnreadRow(const RecordsViewModel& view, int64_t from);

}  // namespace tarsel
