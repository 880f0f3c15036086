#include "store/records_selection.h"

#include "store/column.h"
#include "store/memories_column.h"

namespace tarsel {
namespace {

void AddColumnRecords(const std::shared_ptr<Column>& column, bool unread_only,
                      std::vector<SelectedRecord>& selection) {
  if (column->update_state.load() == kUpdateRunning) return;
  for (const RecordRef& record : column->channel.records) {
    if (record->deleted) continue;
    if (unread_only && !record->unread) continue;
    if (!column->PassesFilters(*record)) continue;
    selection.push_back({column, record});
  }
}

void AddMemoriesRecords(const std::shared_ptr<MemoriesColumn>& column, bool unread_only,
                        std::vector<SelectedRecord>& selection) {
  for (const RecordRef& record : column->records) {
    if (record->deleted) continue;
    if (unread_only && !record->unread) continue;
    selection.push_back({column, record});
  }
}

void AddNodeRecords(const TreeNodeRef& node, bool unread_only,
                    std::vector<SelectedRecord>& selection) {
  switch (node->Kind()) {
    case NodeKind::kColumn:
      AddColumnRecords(std::static_pointer_cast<Column>(node), unread_only, selection);
      break;
    case NodeKind::kMemoriesColumn:
      AddMemoriesRecords(std::static_pointer_cast<MemoriesColumn>(node), unread_only, selection);
      break;
    case NodeKind::kGroup:
      for (const TreeNodeRef& child : static_cast<const ColumnGroup&>(*node).children()) {
        AddNodeRecords(child, unread_only, selection);
      }
      break;
  }
}

}  // namespace

std::vector<SelectedRecord> SelectRecords(TreeNode& node, GroupRecords group_mode) {
  std::vector<SelectedRecord> selection;
  const TreeNodeRef self = node.shared_from_this();
  if (node.Kind() != NodeKind::kGroup) {
    AddNodeRecords(self, false, selection);
  } else if (group_mode != GroupRecords::kNone) {
    AddNodeRecords(self, group_mode == GroupRecords::kUnread, selection);
  }
  return selection;
}

}  // namespace tarsel
