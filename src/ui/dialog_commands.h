#pragma once

// Binds the commands whose work is a dialog (new columns and groups, properties, "Set ",
// settings, imports and exports, the memories name dialogs) to the main window's command
// actions. The window hands over what the dialogs act on and how it refreshes itself. Main
// thread; everything in the host outlives the bindings.

#include <functional>
#include <memory>

#include "app/program_data.h"
#include "store/column.h"
#include "store/tree_node.h"

class QWidget;

namespace tarsel {
class UpdateQueue;
}

namespace tarsel::ui {

class CommandActions;
class NodeTree;
class SettingsOwner;

struct DialogCommandHost {
  QWidget* window = nullptr;  // parent of the dialogs
  ProgramData* data = nullptr;
  SettingsOwner* settings = nullptr;  // the owner of data->settings
  NodeTree* columns_tree = nullptr;
  NodeTree* memories_tree = nullptr;
  UpdateQueue* queue = nullptr;  // new friend and group columns update at once
  // Nodes were added to or renamed in the columns tree: rebuild it.
  std::function<void()> columns_tree_changed;
  // A column's properties changed what its line or its records show.
  std::function<void(Column& column)> column_changed;
};

void BindDialogCommands(CommandActions& actions, DialogCommandHost host);

}  // namespace tarsel::ui
