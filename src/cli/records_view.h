#pragma once

// The rows the records list shows for a selected column or group, as tarsel-cli prints them.
// Main thread (the CLI's one thread): building applies the columns' filter rules, and a
// mark-read rule marks records read in memory.

#include <string>
#include <vector>

#include "settings/settings.h"
#include "store/records_selection.h"
#include "store/tree_node.h"

namespace tarsel::cli {

struct RecordsView {
  std::vector<SelectedRecord> rows;
  // What the list says instead of rows when there are none (code page bytes; may hold "\n").
  std::string empty_text;
};

// The node's records without deleted ones, through the filter rules, with the groupitems
// setting for a group; unread records first (later published first within each state) when
// unreaditems_first is on. A column that is updating, or whose last update failed, shows no
// rows, only the reason.
RecordsView BuildRecordsView(TreeNode& node, const Settings& settings);

// Unread records before read ones; within one state the later published first.
void SortUnreadFirst(std::vector<SelectedRecord>& rows);

}  // namespace tarsel::cli
