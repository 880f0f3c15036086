#pragma once

// A memories column: the user's own collection of record copies, never updated from the
// network. Main thread only. Texts are bytes in the program's code page.

#include "store/record.h"
#include "store/tree_node.h"

namespace tarsel {

class MemoriesColumn : public TreeNode {
 public:
  MemoriesColumn() = default;
  explicit MemoriesColumn(std::string column_name) { name = std::move(column_name); }

  NodeKind Kind() const override { return NodeKind::kMemoriesColumn; }
  // Writing first drops the records marked deleted.
  void Serialize(StoreArchive& archive) override;
  // Always 0: memories are never unread.
  int32_t UnreadCount() const override { return 0; }
  int32_t TotalCount() const override;

  // Appends an independent copy of `record`, read, not new and not deleted.
  void AddCopyOf(const Record& record);

  RecordList records;
};

}  // namespace tarsel
