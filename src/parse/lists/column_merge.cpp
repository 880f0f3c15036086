#include "parse/lists/column_merge.h"

#include <chrono>
#include <memory>
#include <set>
#include <string>
#include <unordered_set>

#include "store/column_read_lock.h"

namespace tarsel {

namespace {

// Keeps the URLs and ids in use so that a large list merges in n log n, not n squared.
class Merger {
 public:
  Merger(ColumnTree& tree, const NewColumnDefaults& defaults) : defaults_(defaults) {
    for (const auto& column : tree.Columns()) {
      // A worker moves the URL after a permanent redirect (see ColumnTree::FindColumnByUrl).
      const ColumnReadLock read(*column, std::chrono::milliseconds(200));
      if (read.readable()) urls_.insert(column->url);
    }
    Collect(tree.root());
  }

  void Merge(const FoundFeedTree& list, ColumnGroup& parent, int depth) {
    for (const FoundFeed& feed : list.feeds) AddFeed(feed, parent);
    // The reader already flattens deeper folders; this only guards lists built elsewhere.
    if (depth >= kMaxListNesting) return;
    for (const FoundFeedTree& nested : list.lists) {
      Merge(nested, GroupNamed(parent, nested.name), depth + 1);
    }
  }

  MergeCounts counts;

 private:
  void Collect(const ColumnGroup& group) {
    std::vector<const ColumnGroup*> pending = {&group};
    while (!pending.empty()) {
      const ColumnGroup* current = pending.back();
      pending.pop_back();
      for (const TreeNodeRef& child : current->children()) {
        used_ids_.insert(child->id);
        if (child->Kind() == NodeKind::kGroup) {
          pending.push_back(static_cast<const ColumnGroup*>(child.get()));
        }
      }
    }
  }

  int32_t NextId() {
    while (used_ids_.count(next_id_) != 0) ++next_id_;
    used_ids_.insert(next_id_);
    return next_id_;
  }

  void AddFeed(const FoundFeed& feed, ColumnGroup& parent) {
    if (!urls_.insert(feed.feed_url).second) {
      ++counts.duplicates;
      return;
    }
    auto column = std::make_shared<Column>(defaults_);
    column->url = feed.feed_url;
    column->name = kImportedColumnName;
    column->id = NextId();
    parent.AddChild(std::move(column));
    ++counts.added;
  }

  ColumnGroup& GroupNamed(ColumnGroup& parent, const std::string& name) {
    for (const TreeNodeRef& child : parent.children()) {
      if (child->Kind() == NodeKind::kGroup && child->name == name) {
        return static_cast<ColumnGroup&>(*child);
      }
    }
    auto group = std::make_shared<ColumnGroup>(name);
    group->id = NextId();
    ColumnGroup& added = *group;
    parent.AddChild(std::move(group));
    ++counts.groups;
    return added;
  }

  NewColumnDefaults defaults_;
  std::unordered_set<std::string> urls_;
  std::set<int32_t> used_ids_;
  int32_t next_id_ = 1;
};

}  // namespace

MergeCounts MergeFoundFeeds(ColumnTree& tree, const FoundFeedTree& list, ColumnGroup* parent,
                            const NewColumnDefaults& defaults) {
  Merger merger(tree, defaults);
  merger.Merge(list, parent != nullptr ? *parent : tree.root(), 0);
  return merger.counts;
}

bool LoadOpml(ColumnTree& tree, std::string_view bytes, ColumnGroup* parent,
              const NewColumnDefaults& defaults, EncodingChoice encoding, MergeCounts& counts,
              std::string& error) {
  FoundFeedTree list{kImportedFileListName, {}, {}};
  if (!ParseOpmlBytes(bytes, list, error, encoding)) return false;
  counts = MergeFoundFeeds(tree, list, parent, defaults);
  counts.without_feed_url = list.TotalWithoutFeedUrl();
  return true;
}

}  // namespace tarsel
