#include "store/node_factory.h"

#include "store/column.h"
#include "store/memories_column.h"

namespace tarsel {

TreeNodeRef CreateStoredNode(int32_t tag, const AllowedKinds& allowed,
                             const StoreOptions& options) {
  switch (tag) {
    case static_cast<int32_t>(NodeKind::kGroup):
      if (allowed.group) return std::make_shared<ColumnGroup>();
      break;
    case static_cast<int32_t>(NodeKind::kColumn):
      if (allowed.column) return std::make_shared<Column>(options.column_defaults);
      break;
    case static_cast<int32_t>(NodeKind::kMemoriesColumn):
      if (allowed.memories_column) return std::make_shared<MemoriesColumn>();
      break;
    default:
      break;
  }
  return nullptr;
}

}  // namespace tarsel
