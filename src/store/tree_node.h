#pragma once

// The entries of a columns tree or memories tree: the abstract TreeNode and the ColumnGroup
// that holds other nodes. Columns are in column.h, memories columns in memories_column.h.
//
// Ownership: nodes are always created with std::make_shared and owned through TreeNodeRef;
// the group (or the tree root) that lists a node holds one reference, and views that keep a
// node take another. `parent` is a plain pointer to the group that lists the node.
//
// Threads: the tree's structure and the node names are changed only on the main thread.
// Names are bytes in the program's single-byte code page.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarsel {

class StoreArchive;
class Column;
class ColumnGroup;
class MemoriesColumn;

// The kind tag, also written into the store files.
enum class NodeKind : int32_t {
  kGroup = 0,
  kColumn = 5,
  kMemoriesColumn = 6,
};

class TreeNode : public std::enable_shared_from_this<TreeNode> {
 public:
  virtual ~TreeNode() = default;
  TreeNode(const TreeNode&) = delete;
  TreeNode& operator=(const TreeNode&) = delete;

  virtual NodeKind Kind() const = 0;
  // 1 for a leaf; a group gives the number of its direct children.
  virtual int32_t ColumnCount() const { return 1; }
  // Raises `highest` to this node's id (and a group's descendants' ids) where larger.
  virtual void CollectHighestId(int32_t& highest) const;
  // The label of the node: its name (a column may show its channel title instead).
  virtual std::string DisplayName() const { return name; }
  // Empty here; a column gives a copy of its channel description.
  virtual std::string Description() const { return {}; }

  // Reads or writes the node's fields, by the archive's direction. Throws CArchiveExeption
  // when a store being read is damaged. Derived classes call their base's Serialize first.
  virtual void Serialize(StoreArchive& archive);
  // Reads the node body (the kind tag was read by the caller).
  void Load(StoreArchive& archive) { Serialize(archive); }
  // Writes the kind tag, then the node body.
  void Save(StoreArchive& archive);

  // Counting operations of feed columns; a group sums over its children, other leaves give 0.
  // Appends this column (a group: every column below it, in tree order).
  virtual void CollectColumns(std::vector<std::shared_ptr<Column>>& columns);
  // Records whose deleted flag is false and unread flag true.
  virtual int32_t UnreadCount() const { return 0; }
  // Records whose deleted flag is false.
  virtual int32_t TotalCount() const { return 0; }
  // A column whose update state is not idle; a group with any busy child.
  virtual bool Busy() const { return false; }

  std::string name;
  int32_t id = 0;  // positive and unique within its tree
  ColumnGroup* parent = nullptr;

 protected:
  TreeNode() = default;
};

using TreeNodeRef = std::shared_ptr<TreeNode>;

class ColumnGroup : public TreeNode {
 public:
  ColumnGroup() = default;
  explicit ColumnGroup(std::string group_name) { name = std::move(group_name); }

  NodeKind Kind() const override { return NodeKind::kGroup; }
  int32_t ColumnCount() const override { return static_cast<int32_t>(children_.size()); }
  void CollectHighestId(int32_t& highest) const override;
  void Serialize(StoreArchive& archive) override;
  void CollectColumns(std::vector<std::shared_ptr<Column>>& columns) override;
  int32_t UnreadCount() const override;
  int32_t TotalCount() const override;
  bool Busy() const override;

  const std::vector<TreeNodeRef>& children() const { return children_; }
  // Appends `child` (or inserts it before position `index`) and makes this group its parent.
  void AddChild(TreeNodeRef child);
  void InsertChild(size_t index, TreeNodeRef child);
  // Takes `child` out of this group; returns the reference the group held (null when absent).
  TreeNodeRef RemoveChild(const TreeNode* child);
  void ClearChildren();

  bool expanded = true;

 private:
  void LoadChildren(StoreArchive& archive);
  std::vector<TreeNodeRef> children_;
};

}  // namespace tarsel
