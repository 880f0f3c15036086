#include "view/quick_views.h"

#include <algorithm>
#include <array>

#include "store/column.h"

namespace tarsel {
namespace {

struct QuickViewEntry {
  int caption_id;  // 0: a separator
  int command_id;
  int32_t window_seconds;  // 0: a latest-unread view
  bool unread_only;
  size_t latest_limit;
};

constexpr std::array<QuickViewEntry, kQuickViewCount> kEntries = {{
    {457, 40261, 900, false, 0},
    {458, 40262, 3600, false, 0},
    {459, 40263, 86400, false, 0},
    {0, 0, 0, false, 0},
    {460, 40264, 900, true, 0},
    {461, 40265, 3600, true, 0},
    {462, 40266, 86400, true, 0},
    {0, 0, 0, false, 0},
    {466, 40267, 0, true, 10},
    {467, 40268, 0, true, 100},
}};

const QuickViewEntry* EntryAt(int position) {
  if (position < 0 || position >= kQuickViewCount) return nullptr;
  const QuickViewEntry& entry = kEntries[static_cast<size_t>(position)];
  return entry.caption_id == 0 ? nullptr : &entry;
}

// Columns a view may read: an updating column's records belong to its worker.
std::vector<std::shared_ptr<Column>> ReadableColumns(const ColumnTree& tree) {
  std::vector<std::shared_ptr<Column>> columns = tree.Columns();
  std::erase_if(columns, [](const std::shared_ptr<Column>& column) {
    return column->update_state.load() == kUpdateRunning;
  });
  return columns;
}

std::unique_ptr<RecordPredicate> MakePredicate(const QuickViewEntry& entry) {
  auto within = std::make_unique<ReceivedWithin>(entry.window_seconds);
  if (!entry.unread_only) return within;
  return std::make_unique<BothPredicates>(std::make_unique<ReadState>(true), std::move(within));
}

RecordsViewModel BuildTimeView(const ColumnTree& tree, const QuickViewEntry& entry, int32_t now) {
  RecordsViewModel view(RecordsViewKind::kQuickView);
  const std::unique_ptr<RecordPredicate> predicate = MakePredicate(entry);
  for (const std::shared_ptr<Column>& column : ReadableColumns(tree)) {
    for (const RecordRef& record : column->channel.records) {
      if (!record->deleted && predicate->Matches(*record, now)) view.AddRow(column, record);
    }
  }
  return view;
}

// The newest `limit` unread records, newest published first; among equal times the one met
// first in tree order comes first. A bounded heap keeps the walk over every record cheap.
RecordsViewModel BuildLatestUnread(const ColumnTree& tree, size_t limit) {
  struct Candidate {
    int32_t published;
    size_t order;
    const std::shared_ptr<Column>* column;
    const RecordRef* record;
  };
  // "Better" candidates sort first; the heap's top is the worst kept one.
  const auto better = [](const Candidate& a, const Candidate& b) {
    return a.published != b.published ? a.published > b.published : a.order < b.order;
  };
  const std::vector<std::shared_ptr<Column>> columns = ReadableColumns(tree);
  std::vector<Candidate> kept;
  kept.reserve(limit + 1);
  size_t order = 0;
  for (const std::shared_ptr<Column>& column : columns) {
    for (const RecordRef& record : column->channel.records) {
      if (record->deleted || !record->unread) continue;
      const Candidate candidate{record->published, order++, &column, &record};
      if (kept.size() == limit && !better(candidate, kept.front())) continue;
      kept.push_back(candidate);
      std::push_heap(kept.begin(), kept.end(), better);
      if (kept.size() > limit) {
        std::pop_heap(kept.begin(), kept.end(), better);
        kept.pop_back();
      }
    }
  }
  std::sort_heap(kept.begin(), kept.end(), better);
  RecordsViewModel view(RecordsViewKind::kQuickView);
  view.Reserve(kept.size());
  for (const Candidate& candidate : kept) view.AddRow(*candidate.column, *candidate.record);
  return view;
}

}  // namespace

bool ReceivedWithin::Matches(const Record& record, int32_t now) const {
  // 64 bits: a hostile negative received time must not overflow the difference.
  return static_cast<int64_t>(now) - record.received < seconds_;
}

bool IsQuickViewSeparator(int position) {
  return position >= 0 && position < kQuickViewCount && EntryAt(position) == nullptr;
}

int QuickViewCaptionId(int position) {
  const QuickViewEntry* entry = EntryAt(position);
  return entry ? entry->caption_id : 0;
}

int QuickViewCommandId(int position) {
  const QuickViewEntry* entry = EntryAt(position);
  return entry ? entry->command_id : 0;
}

int QuickViewPositionOfCommand(int command_id) {
  for (int position = 0; position < kQuickViewCount; ++position) {
    if (command_id != 0 && QuickViewCommandId(position) == command_id) return position;
  }
  return -1;
}

std::optional<RecordsViewModel> BuildQuickView(const ColumnTree& tree, int position, int32_t now) {
  const QuickViewEntry* entry = EntryAt(position);
  if (!entry) return std::nullopt;
  if (entry->latest_limit != 0) return BuildLatestUnread(tree, entry->latest_limit);
  return BuildTimeView(tree, *entry, now);
}

}  // namespace tarsel
