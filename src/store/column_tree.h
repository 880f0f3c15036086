#pragma once

// A tree of nodes: the columns tree (groups and columns) or the memories tree (groups and
// memories columns). Main thread only.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "store/column.h"
#include "store/memories_column.h"
#include "store/tree_node.h"

namespace tarsel {

// Refusing a column whose URL another column of the tree already has.
inline constexpr char kDuplicateUrlTitle[] = "Notification";
// "There is aready rss column with such URL\n" followed by the URL.
std::string DuplicateUrlMessage(const std::string& url);

class ColumnTree {
 public:
  ColumnTree();
  // A tree owns its nodes alone: it moves but never copies.
  ColumnTree(const ColumnTree&) = delete;
  ColumnTree& operator=(const ColumnTree&) = delete;
  ColumnTree(ColumnTree&&) = default;
  ColumnTree& operator=(ColumnTree&&) = default;

  // The root lists the top-level nodes and is their parent. It has id 0, is never stored and
  // is never found by id.
  ColumnGroup& root() { return *root_; }
  const ColumnGroup& root() const { return *root_; }
  const std::vector<TreeNodeRef>& nodes() const { return root_->children(); }
  // Appends a top-level node.
  void Append(TreeNodeRef node) { root_->AddChild(std::move(node)); }
  void Clear() { root_->ClearChildren(); }

  // Depth first over the top-level nodes and each group's children; null when absent.
  TreeNodeRef FindById(int32_t id) const;
  // Every column, in tree order.
  std::vector<std::shared_ptr<Column>> Columns() const;
  // Every memories column, in tree order.
  std::vector<std::shared_ptr<MemoriesColumn>> MemoriesColumns() const;
  // The lowest positive id that no node uses.
  int32_t LowestFreeId() const;
  int32_t HighestId() const;
  // The column whose URL equals `url` byte for byte; null when none.
  std::shared_ptr<Column> FindColumnByUrl(const std::string& url) const;
  // Gives every node whose id is not positive or already used earlier in tree order the
  // lowest free id. Returns how many nodes changed.
  int32_t RepairIds();

  // Adds `column` under `parent` (the root when null) unless another column has its URL;
  // then returns false and sets `message` to DuplicateUrlMessage(url) when given. A new column
  // (id 0 or less) gets the lowest free id.
  bool AddColumn(std::shared_ptr<Column> column, ColumnGroup* parent = nullptr,
                 std::string* message = nullptr);

 private:
  std::shared_ptr<ColumnGroup> root_;
};

}  // namespace tarsel
