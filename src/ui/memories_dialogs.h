#pragma once

// The memories commands that ask the user something: the name dialogs "Memories Group Name" and
// "Memories Column Name", renaming, deleting with a question, and "To Memories" -> "New Memories
// Column" from the records list and from a browser selection. The memories tree belongs to the
// caller, which refreshes its view when a function reports a change. Main thread.

#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "store/column_tree.h"
#include "store/memories_column.h"
#include "store/record.h"

class QWidget;

namespace tarsel::ui {

// Asks a name in a dialog titled by `title_id`; nothing when cancelled.
std::optional<std::string> AskMemoriesName(QWidget* parent, int title_id,
                                           const std::string& initial = {});

// "New Memories Group" / "New Memories Channel": under `group` (the top when null). Null when
// cancelled.
std::shared_ptr<ColumnGroup> NewMemoriesGroupCommand(QWidget* parent, ColumnTree& memories,
                                                     ColumnGroup* group);
std::shared_ptr<MemoriesColumn> NewMemoriesColumnCommand(QWidget* parent, ColumnTree& memories,
                                                         ColumnGroup* group);

// "Group Properties" / "Properties": the same dialog with the current name. True when renamed.
bool RenameMemoriesNodeCommand(QWidget* parent, TreeNode& node);

// "Delete": asks the group or column question (Yes/No). True on Yes; the caller deletes.
bool AskDeleteMemoriesNode(QWidget* parent, const TreeNode& node);

// "To Memories" -> "New Memories Column" of the records list: asks the name, creates the column
// and copies `record` only when `source` is a feed column. Null when cancelled.
std::shared_ptr<MemoriesColumn> RememberRecordInNewColumn(QWidget* parent, ColumnTree& memories,
                                                          ColumnGroup* group,
                                                          const TreeNode* source,
                                                          const Record* record);

// "To Memories" -> "New Memories Column" of the selection menu. Nothing is asked or created for
// an empty selection. Null when nothing was created.
std::shared_ptr<MemoriesColumn> RememberSelectionInNewColumn(QWidget* parent, ColumnTree& memories,
                                                             ColumnGroup* group,
                                                             const std::string& selected_html,
                                                             const std::string& page_url,
                                                             const std::string& page_title);

}  // namespace tarsel::ui
