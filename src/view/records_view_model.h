#pragma once

// The ordered (column, record) pairs a records list shows, and what it says when there are
// none. One builder serves the desktop list and tarsel-cli: a selected column, group or
// memories column (BuildForNode), a quick view (quick_views.h) or a search (record_search.h).
//
// Main thread only (the CLI: its one thread). Building skips a column whose update is running,
// so no worker writes the records read here. Texts are bytes in the program's code page.
//
// A row costs 24 bytes: the shared record and the index of its column in the view's own small
// table of columns (a group view names each column once, not once per record).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "store/record.h"
#include "store/tree_node.h"

namespace tarsel {

// What kind of view the rows came from; it decides which texts say "nothing here".
enum class RecordsViewKind {
  kNode,       // a column, group or memories column selected in a tree
  kQuickView,  // one of the quick views
  kSearch,     // the result of Find RSS Items
};

struct RecordsRow {
  RecordRef record;
  uint32_t column = 0;  // index into RecordsViewModel's column table
};

class RecordsViewModel {
 public:
  // An empty view with the list's own empty text.
  RecordsViewModel();
  explicit RecordsViewModel(RecordsViewKind kind);

  // The records of `node`: a column's or memories column's records, a group's per the
  // groupitems setting; deleted ones left out; the columns' filter rules applied (a mark-read
  // rule marks records read now); unread first (later published first) when unreaditems_first
  // is on. A column that is updating, or whose last update failed, lists nothing and says why.
  static RecordsViewModel BuildForNode(TreeNode& node, const Settings& settings);

  // Appends a row; consecutive rows of one column share one entry of the column table.
  void AddRow(const std::shared_ptr<TreeNode>& column, RecordRef record);
  void Reserve(size_t rows) { rows_.reserve(rows); }

  RecordsViewKind kind() const { return kind_; }
  size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  const RecordRef& RecordAt(size_t row) const { return rows_[row].record; }
  const std::shared_ptr<TreeNode>& ColumnAt(size_t row) const {
    return columns_[rows_[row].column];
  }
  // The rows, for reordering (a header sort) and removal; column indices stay valid.
  std::vector<RecordsRow>& rows() { return rows_; }
  const std::vector<RecordsRow>& rows() const { return rows_; }
  // The row showing `record`; -1 when the view does not list it.
  int64_t FindRow(const Record* record) const;
  // The row showing `record` of `column`, or, after a merge replaced the record's object, the
  // row of `column` with the same title and link (what identifies a record across updates);
  // -1 when none.
  int64_t FindSameRecord(const Record& record, const TreeNode* column) const;
  void RemoveRow(size_t row);

  // What the list says instead of rows when there are none ("\n" may break lines).
  const std::string& empty_text() const { return empty_text_; }
  void set_empty_text(std::string text) { empty_text_ = std::move(text); }

 private:
  RecordsViewKind kind_ = RecordsViewKind::kNode;
  std::vector<std::shared_ptr<TreeNode>> columns_;
  std::vector<RecordsRow> rows_;
  std::string empty_text_;
};

// Unread records before read ones; within one state the later published first.
void SortUnreadFirst(std::vector<RecordsRow>& rows);

}  // namespace tarsel
