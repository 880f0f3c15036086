#include "ui/dialog_commands.h"

#include "ui/column_properties_dialog.h"
#include "ui/columns_tree.h"
#include "ui/command_actions.h"
#include "ui/import_commands.h"
#include "ui/memories_dialogs.h"
#include "ui/settings_dialog.h"
#include "ui/settings_owner.h"
#include "update/update_queue.h"
#include "view/command_ids.h"

namespace tarsel::ui {

namespace {

// The group a new node goes into: the selected group, the group of the selected column, or
// the top level.
ColumnGroup* TargetGroup(const NodeTree* tree) {
  const TreeNodeRef node = tree->CurrentNode();
  if (!node) return nullptr;
  if (node->Kind() == NodeKind::kGroup) return static_cast<ColumnGroup*>(node.get());
  return node->parent;
}

void BindNewNodes(CommandActions& actions, const DialogCommandHost& host) {
  ProgramData& data = *host.data;
  auto added = [host](const TreeNode* node) {
    host.columns_tree_changed();
    if (node != nullptr) host.columns_tree->SelectNode(node);
  };
  actions.Bind(cmd::kNewColumn, [host, &data, added] {
    auto column = NewRssColumn(host.window, data.columns, TargetGroup(host.columns_tree),
                               data.store_options.column_defaults);
    if (column) added(column.get());
  });
  actions.Bind(cmd::kNewGroup, [host, &data, added] {
    auto group = NewColumnGroup(host.window, data.columns, TargetGroup(host.columns_tree));
    if (group) added(group.get());
  });
  auto service = [host, &data, added](ServiceColumnKind kind) {
    auto column = NewServiceColumnCommand(host.window, data.columns, kind,
                                          data.store_options.column_defaults);
    if (!column) return;
    added(column.get());
    if (host.queue != nullptr) host.queue->Enqueue(column);
  };
  actions.Bind(cmd::kNewFriendColumn,
               [service] { service(ServiceColumnKind::kLiveJournalFriend); });
  actions.Bind(cmd::kNewYahooGroup, [service] { service(ServiceColumnKind::kYahooGroup); });
}

void BindProperties(CommandActions& actions, const DialogCommandHost& host) {
  ProgramData& data = *host.data;
  // Enter on the tree opens the properties of whatever is selected.
  auto properties = [host, &data] {
    const TreeNodeRef node = host.columns_tree->CurrentNode();
    if (!node) return;
    if (node->Kind() == NodeKind::kGroup) {
      if (EditGroupProperties(host.window, static_cast<ColumnGroup&>(*node)))
        host.columns_tree_changed();
    } else if (auto column = std::dynamic_pointer_cast<Column>(node)) {
      if (EditColumnProperties(host.window, data.columns, *column)) host.column_changed(*column);
    }
  };
  actions.Bind(cmd::kGroupProperties, properties);
  actions.Bind(cmd::kColumnProperties, properties);
  actions.Bind(cmd::kSetUpdateInterval, [host] {
    SetUpdateIntervalOfColumns(host.window, host.columns_tree->SelectedColumns());
  });
  actions.Bind(cmd::kSetArchiving, [host] {
    SetArchivingOfColumns(host.window, host.columns_tree->SelectedColumns());
  });
  auto settings = [host, &data, &actions] {
    // Chosen from the tray while the window is hidden: the window comes back first.
    const bool hidden = !host.window->isVisible() || host.window->isMinimized();
    if (hidden && actions.IsBound(cmd::kRestore)) actions.Run(cmd::kRestore);
    if (!RunSettingsDialog(host.window, *host.settings)) return;
    data.store_options = StoreOptionsForSettings(host.settings->Get());
  };
  actions.Bind(cmd::kSettings, settings);
  actions.Bind(cmd::kTreeSettings, settings);
}

void BindImports(CommandActions& actions, const DialogCommandHost& host) {
  ProgramData& data = *host.data;
  auto after = [host](int created) {
    if (created > 0) host.columns_tree_changed();
  };
  for (int command : {cmd::kImportMoreover, cmd::kImportNewsIsFree, cmd::kImportMyRss}) {
    actions.Bind(command, [host, &data, after, command] {
      after(ImportDirectoryCommand(host.window, data.columns, *DirectoryForCommand(command),
                                   data.store_options.column_defaults));
    });
  }
  actions.Bind(cmd::kImportUrl, [host, &data, after] {
    after(ImportListUrlCommand(host.window, data.columns, data.store_options.column_defaults));
  });
  actions.Bind(cmd::kImportFile, [host, &data, after] {
    after(ImportListFileCommand(host.window, data.columns, data.store_options.column_defaults));
  });
  actions.Bind(cmd::kLoadOpml, [host, &data] {
    if (LoadOpmlCommand(host.window, data.columns, data.store_options.column_defaults))
      host.columns_tree_changed();
  });
  actions.Bind(cmd::kExportFeeds, [host, &data] { ExportOpmlCommand(host.window, data.columns); });
  actions.Bind(cmd::kExportGroupOpml, [host] {
    const TreeNodeRef node = host.columns_tree->CurrentNode();
    if (node && node->Kind() == NodeKind::kGroup)
      ExportGroupOpmlCommand(host.window, static_cast<ColumnGroup&>(*node));
  });
}

void BindMemories(CommandActions& actions, const DialogCommandHost& host) {
  ProgramData& data = *host.data;
  NodeTree* tree = host.memories_tree;
  auto group = [tree]() -> ColumnGroup* {
    const TreeNodeRef node = tree->CurrentNode();
    return node && node->Kind() == NodeKind::kGroup ? static_cast<ColumnGroup*>(node.get())
                                                    : nullptr;
  };
  auto created = [tree](const TreeNode* node) {
    if (node == nullptr) return;
    tree->Rebuild();
    tree->SelectNode(node);
  };
  actions.Bind(cmd::kNewMemoriesGroup, [host, &data, group, created] {
    created(NewMemoriesGroupCommand(host.window, data.memories, group()).get());
  });
  actions.Bind(cmd::kNewMemoriesColumn, [host, &data, group, created] {
    created(NewMemoriesColumnCommand(host.window, data.memories, group()).get());
  });
  auto rename = [host, tree] {
    const TreeNodeRef node = tree->CurrentNode();
    if (node && RenameMemoriesNodeCommand(host.window, *node)) tree->Rebuild();
  };
  actions.Bind(cmd::kMemoriesGroupProperties, rename);
  actions.Bind(cmd::kMemoriesColumnProperties, rename);
}

}  // namespace

void BindDialogCommands(CommandActions& actions, DialogCommandHost host) {
  BindNewNodes(actions, host);
  BindProperties(actions, host);
  BindImports(actions, host);
  BindMemories(actions, host);
}

}  // namespace tarsel::ui
