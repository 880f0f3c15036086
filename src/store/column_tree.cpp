#include "store/column_tree.h"

#include <chrono>
#include <set>

#include "store/column_read_lock.h"

namespace tarsel {
namespace {

template <typename Visit>
bool VisitDepthFirst(const std::vector<TreeNodeRef>& nodes, const Visit& visit) {
  for (const TreeNodeRef& node : nodes) {
    if (visit(node)) return true;
    if (node->Kind() == NodeKind::kGroup) {
      const auto& group = static_cast<const ColumnGroup&>(*node);
      if (VisitDepthFirst(group.children(), visit)) return true;
    }
  }
  return false;
}

}  // namespace

std::string DuplicateUrlMessage(const std::string& url) {
  return "There is aready rss column with such URL\n" + url;
}

ColumnTree::ColumnTree() : root_(std::make_shared<ColumnGroup>()) {}

TreeNodeRef ColumnTree::FindById(int32_t id) const {
  TreeNodeRef found;
  VisitDepthFirst(nodes(), [&](const TreeNodeRef& node) {
    if (node->id != id) return false;
    found = node;
    return true;
  });
  return found;
}

std::vector<std::shared_ptr<Column>> ColumnTree::Columns() const {
  std::vector<std::shared_ptr<Column>> columns;
  root_->CollectColumns(columns);
  return columns;
}

std::vector<std::shared_ptr<MemoriesColumn>> ColumnTree::MemoriesColumns() const {
  std::vector<std::shared_ptr<MemoriesColumn>> columns;
  VisitDepthFirst(nodes(), [&](const TreeNodeRef& node) {
    if (node->Kind() == NodeKind::kMemoriesColumn) {
      columns.push_back(std::static_pointer_cast<MemoriesColumn>(node));
    }
    return false;
  });
  return columns;
}

int32_t ColumnTree::LowestFreeId() const {
  std::set<int32_t> used;
  VisitDepthFirst(nodes(), [&](const TreeNodeRef& node) {
    used.insert(node->id);
    return false;
  });
  int32_t id = 1;
  while (used.count(id) != 0) ++id;
  return id;
}

int32_t ColumnTree::HighestId() const {
  int32_t highest = 0;
  for (const TreeNodeRef& node : nodes()) node->CollectHighestId(highest);
  return highest;
}

std::shared_ptr<Column> ColumnTree::FindColumnByUrl(const std::string& url) const {
  for (std::shared_ptr<Column>& column : Columns()) {
    // A worker moves the URL after a permanent redirect. One merging past the moment given is
    // left out: at worst the user gets a second column for one feed.
    const ColumnReadLock read(*column, std::chrono::milliseconds(200));
    if (read.readable() && column->url == url) return column;
  }
  return nullptr;
}

int32_t ColumnTree::RepairIds() {
  std::set<int32_t> used;
  std::vector<TreeNodeRef> to_renumber;
  VisitDepthFirst(nodes(), [&](const TreeNodeRef& node) {
    if (node->id <= 0 || !used.insert(node->id).second) to_renumber.push_back(node);
    return false;
  });
  int32_t next = 1;
  for (const TreeNodeRef& node : to_renumber) {
    while (used.count(next) != 0) ++next;
    node->id = next;
    used.insert(next);
  }
  return static_cast<int32_t>(to_renumber.size());
}

bool ColumnTree::AddColumn(std::shared_ptr<Column> column, ColumnGroup* parent,
                           std::string* message) {
  if (FindColumnByUrl(column->url)) {
    if (message != nullptr) *message = DuplicateUrlMessage(column->url);
    return false;
  }
  if (column->id <= 0) column->id = LowestFreeId();
  (parent != nullptr ? *parent : *root_).AddChild(std::move(column));
  return true;
}

}  // namespace tarsel
