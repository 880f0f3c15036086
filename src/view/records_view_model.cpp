#include "view/records_view_model.h"

#include <algorithm>

#include "net/download/failure_code.h"
#include "store/column.h"
#include "store/records_selection.h"
#include "view/records_view_model_texts.h"
#include "view/string_table.h"

namespace tarsel {
namespace {

int EmptyTextId(RecordsViewKind kind) {
  switch (kind) {
    case RecordsViewKind::kNode:
      return kTextNoRecords;
    case RecordsViewKind::kQuickView:
      return kTextQuickViewNoRecords;
    case RecordsViewKind::kSearch:
      return kTextNoRecordsFound;
  }
  return kTextNoItems;
}

// Why a column lists nothing even when it holds records; empty when it lists its records.
std::string ColumnBusyOrFailedText(const TreeNode& node) {
  if (node.Kind() != NodeKind::kColumn) return {};
  const auto& column = static_cast<const Column&>(node);
  if (column.update_state.load() == kUpdateRunning) return GetText(kTextColumnUpdating);
  const int32_t result = column.last_result.load();
  if (result != kFailureNone) return FailureMessage(result);
  return {};
}

}  // namespace

RecordsViewModel::RecordsViewModel() : empty_text_(GetText(kTextNoItems)) {}

RecordsViewModel::RecordsViewModel(RecordsViewKind kind)
    : kind_(kind), empty_text_(GetText(EmptyTextId(kind))) {}

RecordsViewModel RecordsViewModel::BuildForNode(TreeNode& node, const Settings& settings) {
  RecordsViewModel view(RecordsViewKind::kNode);
  std::string reason = ColumnBusyOrFailedText(node);
  if (!reason.empty()) {
    view.empty_text_ = std::move(reason);
    return view;
  }
  std::vector<SelectedRecord> selection =
      SelectRecords(node, static_cast<GroupRecords>(settings.groupitems));
  view.Reserve(selection.size());
  for (SelectedRecord& selected : selection)
    view.AddRow(selected.column, std::move(selected.record));
  if (settings.unreaditems_first) SortUnreadFirst(view.rows_);
  return view;
}

void RecordsViewModel::AddRow(const std::shared_ptr<TreeNode>& column, RecordRef record) {
  if (columns_.empty() || columns_.back() != column) columns_.push_back(column);
  rows_.push_back({std::move(record), static_cast<uint32_t>(columns_.size() - 1)});
}

int64_t RecordsViewModel::FindRow(const Record* record) const {
  for (size_t row = 0; row < rows_.size(); ++row) {
    if (rows_[row].record.get() == record) return static_cast<int64_t>(row);
  }
  return -1;
}

int64_t RecordsViewModel::FindSameRecord(const Record& record, const TreeNode* column) const {
  if (const int64_t row = FindRow(&record); row >= 0) return row;
  for (size_t row = 0; row < rows_.size(); ++row) {
    const Record& listed = *rows_[row].record;
    if (ColumnAt(row).get() == column && listed.title == record.title &&
        listed.link == record.link) {
      return static_cast<int64_t>(row);
    }
  }
  return -1;
}

void RecordsViewModel::RemoveRow(size_t row) {
  if (row < rows_.size()) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
}

void SortUnreadFirst(std::vector<RecordsRow>& rows) {
  std::stable_sort(rows.begin(), rows.end(), [](const RecordsRow& a, const RecordsRow& b) {
    if (a.record->unread != b.record->unread) return a.record->unread;
    return a.record->published > b.record->published;
  });
}

}  // namespace tarsel
