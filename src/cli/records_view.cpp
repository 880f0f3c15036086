#include "cli/records_view.h"

#include <algorithm>

#include "net/download/failure_code.h"
#include "store/column.h"

namespace tarsel::cli {
namespace {

constexpr char kColumnUpdatingText[] = "Column is Updating";
constexpr char kNoRecordsText[] = "No records";

}  // namespace

void SortUnreadFirst(std::vector<SelectedRecord>& rows) {
  std::stable_sort(rows.begin(), rows.end(), [](const SelectedRecord& a, const SelectedRecord& b) {
    if (a.record->unread != b.record->unread) return a.record->unread;
    return a.record->published > b.record->published;
  });
}

RecordsView BuildRecordsView(TreeNode& node, const Settings& settings) {
  RecordsView view;
  if (node.Kind() == NodeKind::kColumn) {
    const auto& column = static_cast<const Column&>(node);
    if (column.update_state.load() == kUpdateRunning) {
      view.empty_text = kColumnUpdatingText;
      return view;
    }
    if (column.last_result.load() != 0) {
      view.empty_text = FailureMessage(column.last_result.load());
      return view;
    }
  }
  view.rows = SelectRecords(node, static_cast<GroupRecords>(settings.groupitems));
  if (settings.unreaditems_first) SortUnreadFirst(view.rows);
  if (view.rows.empty()) view.empty_text = kNoRecordsText;
  return view;
}

}  // namespace tarsel::cli
