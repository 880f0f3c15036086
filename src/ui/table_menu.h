#pragma once

// Filling a menu from the command table's entries: separators, popups and commands in the
// table's order. The window's commands (CommandActions) build every menu with it. Main thread
// only.

#include <functional>
#include <vector>

#include "view/command_table.h"

class QMenu;

namespace tarsel::ui {

// How a menu of the table is filled: each command entry through `add_command`; `popup_done` is
// told of each popup once its own entries are in (where the memories entries follow them).
struct MenuEntryHooks {
  std::function<void(QMenu* menu, const MenuEntry& entry)> add_command;
  std::function<void(QMenu* popup, const MenuEntry& entry)> popup_done;
};

// Adds `entries` to `menu` in the table's order: separators, popups (filled the same way) and
// commands.
void AddMenuEntries(QMenu* menu, const std::vector<MenuEntry>& entries,
                    const MenuEntryHooks& hooks);

}  // namespace tarsel::ui
