#include "store/record_marks.h"

#include "store/column.h"

namespace tarsel {

bool SetRecordUnread(TreeNode& holder, Record& record, bool unread) {
  if (holder.Kind() == NodeKind::kColumn) {
    return static_cast<Column&>(holder).SetRecordUnread(record, unread);
  }
  if (record.unread == unread || (unread && record.deleted)) return false;
  record.unread = unread;
  return true;
}

void DeleteRecord(TreeNode& holder, Record& record) {
  if (holder.Kind() == NodeKind::kColumn) {
    static_cast<Column&>(holder).DeleteRecord(record);
    return;
  }
  MarkRecordDeleted(record);
}

}  // namespace tarsel
