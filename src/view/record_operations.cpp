#include "view/record_operations.h"

#include <mutex>
#include <unordered_set>

#include "store/column.h"
#include "store/record_marks.h"

namespace tarsel {
namespace {

// Unread and deleted change through the holder, so that a column's kept counts follow.
bool ChangeRecord(TreeNode& holder, Record& record, RecordMark mark) {
  switch (mark) {
    case RecordMark::kRead:
      if (!SetRecordUnread(holder, record, false)) return false;
      record.is_new = false;
      return true;
    case RecordMark::kUnread:
      return SetRecordUnread(holder, record, true);
    case RecordMark::kPersistent:
      record.persistent = !record.persistent;
      return true;
    case RecordMark::kDeleted:
      DeleteRecord(holder, record);
      return true;
  }
  return false;
}

}  // namespace

ColumnEditLock::ColumnEditLock(TreeNode& node) {
  if (node.Kind() != NodeKind::kColumn) return;
  lock_ = std::unique_lock<std::mutex>(static_cast<Column&>(node).lock, std::try_to_lock);
  held_ = lock_.owns_lock();
}

bool ApplyRecordMark(TreeNode& column, Record& record, RecordMark mark) {
  const ColumnEditLock lock(column);
  return lock.held() && ChangeRecord(column, record, mark);
}

std::vector<std::shared_ptr<TreeNode>> MarkAllRows(RecordsViewModel& view, bool unread) {
  std::vector<std::shared_ptr<TreeNode>> changed;
  std::unordered_set<const TreeNode*> seen;
  const RecordMark mark = unread ? RecordMark::kUnread : RecordMark::kRead;
  for (size_t row = 0; row < view.size(); ++row) {
    const std::shared_ptr<TreeNode>& column = view.ColumnAt(row);
    if (!ApplyRecordMark(*column, *view.RecordAt(row), mark)) continue;
    if (seen.insert(column.get()).second) changed.push_back(column);
  }
  return changed;
}

std::vector<std::shared_ptr<Column>> MarkNodeRecords(TreeNode& node, bool unread) {
  std::vector<std::shared_ptr<Column>> columns;
  node.CollectColumns(columns);
  std::vector<std::shared_ptr<Column>> changed;
  const RecordMark mark = unread ? RecordMark::kUnread : RecordMark::kRead;
  for (const std::shared_ptr<Column>& column : columns) {
    const ColumnEditLock lock(*column);
    if (!lock.held()) continue;
    bool any = false;
    for (const RecordRef& record : column->channel.records) {
      if (!record->deleted) any = ChangeRecord(*column, *record, mark) || any;
    }
    if (any) changed.push_back(column);
  }
  return changed;
}

int64_t NextUnreadRow(const RecordsViewModel& view, int64_t from) {
  const auto size = static_cast<int64_t>(view.size());
  for (int64_t row = from < 0 ? 0 : from + 1; row < size; ++row) {
    if (view.RecordAt(static_cast<size_t>(row))->unread) return row;
  }
  return -1;
}

int64_t PrevUnreadRow(const RecordsViewModel& view, int64_t from) {
  const auto size = static_cast<int64_t>(view.size());
  for (int64_t row = (from < 0 || from > size) ? size - 1 : from - 1; row >= 0; --row) {
    if (view.RecordAt(static_cast<size_t>(row))->unread) return row;
  }
  return -1;
}

}  // namespace tarsel
