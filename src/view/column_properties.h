#pragma once

// The column properties sheet ("File", "Alert", "Filters", "Actions", "Archive") as plain values:
// what its controls show for a column and how confirming writes them back. The "Set " commands
// of a multiple selection and tarsel-cli's set and filter commands go through the same
// functions. Texts are bytes in the program's code page. Main thread (the caller holds the
// column; a busy column is changed only where the caller allows it).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "store/column.h"
#include "store/column_tree.h"
#include "view/dialog_fields.h"

namespace tarsel {

struct ColumnProperties {
  // File
  std::string name;
  std::string url;
  std::string login;
  std::string password;
  bool use_title_from_rss = true;
  // Alert
  int32_t update_interval = 0;
  bool update_on_start = false;
  bool play_sound = true;
  // Filters
  std::vector<FilterRule> filters;
  // Actions
  bool auto_save = false;
  std::string auto_save_path;
  bool run_program = false;
  std::string program_path;
  bool send_mail = false;
  bool include_body = false;
  std::string mail_address;
  // Archive
  ArchiveChoice archive;

  bool operator==(const ColumnProperties&) const = default;
};

ColumnProperties ReadColumnProperties(const Column& column);

// Writes every field into `column`. Returns "changed": the name, URL, login, password, "Use
// Title from RSS" or the filters differ from before, so the caller refreshes the column's tree
// line and rebuilds the records view.
bool ApplyColumnProperties(const ColumnProperties& properties, Column& column);

// Why the properties cannot be confirmed: the URL field's problem, or a duplicate URL (another
// column of `tree` than `self` has it). Empty when they can; else the message to show.
// `self` may be null (a new column).
std::string CheckColumnUrl(const ColumnTree& tree, const Column* self, const std::string& url);

// The Alert page's interval controls, shared with the Columns settings page.
IntervalControls AlertIntervalControls(const ColumnProperties& properties);

// The "Filter Propertirs" lists in display order and the value each position stands for.
// Field: "All Fields" 3, "Any Fields" 4, "Title" 0, "Item Content" 1, "Link" 2.
int FilterFieldPosition(int32_t field);
int32_t FilterFieldFromPosition(int position);
// Condition and action lists: the position is the value (0..1, 0..2); out of range gives 0.
int32_t FilterConditionFromPosition(int position);
int32_t FilterActionFromPosition(int position);

// Filters page list edits; each returns whether it changed the list. `index` out of range does
// nothing.
bool RemoveFilter(std::vector<FilterRule>& filters, int index);
bool MoveFilterUp(std::vector<FilterRule>& filters, int index);
bool MoveFilterDown(std::vector<FilterRule>& filters, int index);

// The "Set " commands of a multiple selection: apply one choice to every column that is not
// busy. Each returns how many columns it changed.
int SetUpdateInterval(const std::vector<std::shared_ptr<Column>>& columns, int32_t interval,
                      bool update_on_start, bool play_sound);
int SetArchiving(const std::vector<std::shared_ptr<Column>>& columns, const ArchiveChoice& choice);

}  // namespace tarsel
