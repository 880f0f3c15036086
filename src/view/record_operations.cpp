#include "view/record_operations.h"

#include <mutex>
#include <unordered_set>

#include "store/column.h"
#include "store/record_marks.h"

namespace tarsel {
namespace {

// Holds a feed column's lock when it could be taken at once; other nodes need none.
class MarkLock {
 public:
  explicit MarkLock(TreeNode& node) {
    if (node.Kind() == NodeKind::kColumn) {
      lock_ = std::unique_lock<std::mutex>(static_cast<Column&>(node).lock, std::try_to_lock);
      held_ = lock_.owns_lock();
    }
  }
  bool held() const { return held_; }

 private:
  std::unique_lock<std::mutex> lock_;
  bool held_ = true;
};

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

bool ApplyRecordMark(TreeNode& column, Record& record, RecordMark mark) {
  const MarkLock lock(column);
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
