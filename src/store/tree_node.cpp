#include "store/tree_node.h"

#include <algorithm>

#include "store/node_factory.h"
#include "store/store_archive.h"

namespace tarsel {
namespace {

// Stores from this version keep a group's expanded flag.
constexpr int32_t kExpandedSince = 102;
// The fewest bytes a child takes in a group's block: its kind tag.
constexpr size_t kMinChildSize = 4;

// Leaves one group nesting level however the group's loading ends.
class GroupLevel {
 public:
  explicit GroupLevel(StoreArchive& archive) : archive_(archive) {}
  ~GroupLevel() { archive_.LeaveGroup(); }
  GroupLevel(const GroupLevel&) = delete;
  GroupLevel& operator=(const GroupLevel&) = delete;

 private:
  StoreArchive& archive_;
};

[[noreturn]] void CloseAndDrop(StoreArchive& archive) {
  archive.NoteDamage();
  archive.EndBlock();
  throw CArchiveExeption(CArchiveExeption::kDamagedNode);
}

}  // namespace

void TreeNode::CollectHighestId(int32_t& highest) const {
  if (id > highest) highest = id;
}

void TreeNode::Serialize(StoreArchive& archive) {
  archive.BeginBlock();
  archive.Field(id);
  archive.Field(name);
  archive.EndBlock();
}

void TreeNode::Save(StoreArchive& archive) {
  archive.Write(static_cast<int32_t>(Kind()));
  Serialize(archive);
}

void TreeNode::CollectColumns(std::vector<std::shared_ptr<Column>>&) {}

void ColumnGroup::CollectHighestId(int32_t& highest) const {
  TreeNode::CollectHighestId(highest);
  for (const TreeNodeRef& child : children_) child->CollectHighestId(highest);
}

void ColumnGroup::Serialize(StoreArchive& archive) {
  TreeNode::Serialize(archive);
  archive.BeginBlock();
  if (!archive.IsLoading()) {
    archive.Write(expanded);
    archive.Write(static_cast<int32_t>(children_.size()));
    for (const TreeNodeRef& child : children_) child->Save(archive);
    archive.EndBlock();
    return;
  }
  if (archive.version() >= kExpandedSince) archive.Read(expanded);
  // Too deep a nesting is treated as damage: the group and what it holds are dropped.
  if (!archive.EnterGroup()) CloseAndDrop(archive);
  GroupLevel level(archive);
  LoadChildren(archive);
  archive.EndBlock();
}

void ColumnGroup::LoadChildren(StoreArchive& archive) {
  int32_t count = 0;
  archive.Read(count);
  if (count < 0 || count > kMaxGroupChildren) CloseAndDrop(archive);
  if (static_cast<size_t>(count) > archive.Remaining() / kMinChildSize) CloseAndDrop(archive);
  const AllowedKinds any;
  for (int32_t i = 0; i < count; ++i) {
    if (archive.Remaining() < kMinChildSize) CloseAndDrop(archive);
    const int32_t tag = archive.ReadInt32();
    TreeNodeRef child = CreateStoredNode(tag, any, archive.options());
    if (!child) {
      archive.NoteDamage();
      continue;
    }
    try {
      child->Load(archive);
    } catch (const CArchiveExeption& error) {
      // A damaged child was closed at its end: drop it and read its next sibling.
      if (error.code() == CArchiveExeption::kDamagedNode) continue;
      AddChild(std::move(child));
      throw;
    }
    AddChild(std::move(child));
  }
}

void ColumnGroup::CollectColumns(std::vector<std::shared_ptr<Column>>& columns) {
  for (const TreeNodeRef& child : children_) child->CollectColumns(columns);
}

int32_t ColumnGroup::UnreadCount() const {
  int32_t count = 0;
  for (const TreeNodeRef& child : children_) count += child->UnreadCount();
  return count;
}

int32_t ColumnGroup::TotalCount() const {
  int32_t count = 0;
  for (const TreeNodeRef& child : children_) count += child->TotalCount();
  return count;
}

bool ColumnGroup::Busy() const {
  return std::any_of(children_.begin(), children_.end(),
                     [](const TreeNodeRef& child) { return child->Busy(); });
}

void ColumnGroup::AddChild(TreeNodeRef child) {
  InsertChild(children_.size(), std::move(child));
}

void ColumnGroup::InsertChild(size_t index, TreeNodeRef child) {
  child->parent = this;
  index = std::min(index, children_.size());
  children_.insert(children_.begin() + static_cast<std::ptrdiff_t>(index), std::move(child));
}

TreeNodeRef ColumnGroup::RemoveChild(const TreeNode* child) {
  auto found = std::find_if(children_.begin(), children_.end(),
                            [child](const TreeNodeRef& node) { return node.get() == child; });
  if (found == children_.end()) return nullptr;
  TreeNodeRef removed = std::move(*found);
  children_.erase(found);
  removed->parent = nullptr;
  return removed;
}

void ColumnGroup::ClearChildren() {
  for (const TreeNodeRef& child : children_) child->parent = nullptr;
  children_.clear();
}

}  // namespace tarsel
