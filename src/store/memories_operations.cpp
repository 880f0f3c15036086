#include "store/memories_operations.h"

namespace tarsel {
namespace {

template <typename Node>
std::shared_ptr<Node> AddNamedNode(ColumnTree& memories, const std::string& name,
                                   ColumnGroup* parent) {
  auto node = std::make_shared<Node>(name);
  node->id = memories.LowestFreeId();
  (parent != nullptr ? *parent : memories.root()).AddChild(node);
  return node;
}

}  // namespace

std::string MemoriesTreeLabel(const TreeNode& node) {
  if (node.Kind() != NodeKind::kMemoriesColumn) return node.DisplayName();
  std::string label = node.DisplayName();
  label += " (";
  label += std::to_string(node.TotalCount());
  label += ')';
  return label;
}

const char* DeleteQuestion(const TreeNode& node) {
  return node.Kind() == NodeKind::kGroup ? kDeleteGroupQuestion : kDeleteColumnQuestion;
}

std::shared_ptr<ColumnGroup> NewMemoriesGroup(ColumnTree& memories, const std::string& name,
                                              ColumnGroup* parent) {
  return AddNamedNode<ColumnGroup>(memories, name, parent);
}

std::shared_ptr<MemoriesColumn> NewMemoriesColumn(ColumnTree& memories, const std::string& name,
                                                  ColumnGroup* parent) {
  return AddNamedNode<MemoriesColumn>(memories, name, parent);
}

bool DeleteMemoriesNode(ColumnTree& memories, const TreeNode& node) {
  ColumnGroup& holder = node.parent != nullptr ? *node.parent : memories.root();
  return holder.RemoveChild(&node) != nullptr;
}

void AddRecordToMemories(const Record& record, MemoriesColumn& target) {
  target.AddCopyOf(record);
}

std::shared_ptr<MemoriesColumn> RememberInNewColumn(ColumnTree& memories, const std::string& name,
                                                    ColumnGroup* parent, const TreeNode* source,
                                                    const Record* record) {
  auto column = NewMemoriesColumn(memories, name, parent);
  if (record != nullptr && source != nullptr && source->Kind() == NodeKind::kColumn) {
    AddRecordToMemories(*record, *column);
  }
  return column;
}

std::vector<std::string> MemoriesMenuNames(const ColumnTree& memories) {
  std::vector<std::string> names;
  for (const auto& column : memories.MemoriesColumns()) names.push_back(column->DisplayName());
  return names;
}

std::shared_ptr<MemoriesColumn> MemoriesColumnForCommand(const ColumnTree& memories,
                                                         int32_t command_id, int32_t first_id) {
  // Compared as 64 bits: a hostile id near INT32_MIN must not wrap into the range.
  const int64_t index = static_cast<int64_t>(command_id) - first_id;
  if (index < 0 || index >= kMemoriesMenuIdCount) return nullptr;
  auto columns = memories.MemoriesColumns();
  if (index >= static_cast<int64_t>(columns.size())) return nullptr;
  return columns[static_cast<size_t>(index)];
}

}  // namespace tarsel
