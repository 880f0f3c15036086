#pragma once

// What the memories pane and the "To Memories" menus do to the memories tree: creating,
// renaming and deleting memories groups and memories columns, copying records into them, and
// finding the memories column a menu command names.
//
// Main thread only. Names and record texts are bytes in the program's code page. The nodes
// are owned by the tree; the functions return shared references to the nodes they create.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "store/column_tree.h"
#include "store/memories_column.h"
#include "store/record.h"

namespace tarsel {

// The "To Memories" submenus: consecutive command ids, 200 in each menu.
inline constexpr int32_t kRecordsMenuMemoriesFirstId = 40300;
inline constexpr int32_t kSelectionMenuMemoriesFirstId = 32900;
inline constexpr int32_t kMemoriesMenuIdCount = 200;

// Texts of the memories pane.
inline constexpr char kMemoriesGroupNameTitle[] = "Memories Group Name";
inline constexpr char kMemoriesColumnNameTitle[] = "Memories Column Name";
inline constexpr char kNewMemoriesColumnItem[] = "New Memories Column";
inline constexpr char kDeleteQuestionTitle[] = "Question";
inline constexpr char kDeleteGroupQuestion[] =
    "You are going to delete group. \n Are you sure?\n There is no Undo!";
inline constexpr char kDeleteColumnQuestion[] =
    "You are going to delete column. \n Are you sure?\n There is no Undo!";

// A memories column's line in the memories tree: "name (count)" with the count of records
// not deleted. Other nodes show their name.
std::string MemoriesTreeLabel(const TreeNode& node);

// The question "Delete" asks for `node`: the group text for a group, the column text otherwise.
const char* DeleteQuestion(const TreeNode& node);

// Creates a group or an empty memories column named `name` under `parent` (the top of the
// tree when null), with the lowest positive id the tree does not use.
std::shared_ptr<ColumnGroup> NewMemoriesGroup(ColumnTree& memories, const std::string& name,
                                              ColumnGroup* parent = nullptr);
std::shared_ptr<MemoriesColumn> NewMemoriesColumn(ColumnTree& memories, const std::string& name,
                                                  ColumnGroup* parent = nullptr);

// Takes `node` with everything below it out of its group (or the top of the tree). False when
// the node is not listed there.
bool DeleteMemoriesNode(ColumnTree& memories, const TreeNode& node);

// Appends an independent copy of `record` to `target`: read, not new, not deleted; every other
// field as in the source, which keeps its own flags.
void AddRecordToMemories(const Record& record, MemoriesColumn& target);

// "To Memories" -> "New Memories Column" of the records list: creates the column under
// `parent` and copies `record` into it only when `source` is a feed column (a record shown
// from a memories column is not copied). A null record copies nothing.
std::shared_ptr<MemoriesColumn> RememberInNewColumn(ColumnTree& memories, const std::string& name,
                                                    ColumnGroup* parent, const TreeNode* source,
                                                    const Record* record);

// The entries of a "To Memories" submenu after "New Memories Column": every memories column
// in tree order under its display name. The list may be longer than the ids the menu has.
std::vector<std::string> MemoriesMenuNames(const ColumnTree& memories);

// The memories column a submenu command id chooses (`first_id` is the menu's first id); null
// for an id outside the menu's 200 ids or beyond the number of memories columns.
std::shared_ptr<MemoriesColumn> MemoriesColumnForCommand(const ColumnTree& memories,
                                                         int32_t command_id, int32_t first_id);

}  // namespace tarsel
