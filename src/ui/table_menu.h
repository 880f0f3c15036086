#pragma once

// A context menu of the command table built for one showing, with handlers of its own: for
// menus whose commands act on what was clicked (a browser tab, a text selection) rather than
// on the window's selection. Entries, order and a translation's menu entries are the table's,
// as for the window's menus. Main thread only.

#include <functional>
#include <map>
#include <vector>

#include "view/command_table.h"

class QMenu;
class QWidget;

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

struct TableMenuHandlers {
  // What each command of the menu runs; a command without a handler is shown disabled.
  std::map<int, std::function<void()>> commands;
  // Adds the memories entries to a "To Memories" popup after its own entries.
  std::function<void(QMenu* popup)> fill_memories;
};

// The menu, owned by `parent`; each entry carries its command id as data.
QMenu* BuildTableMenu(int menu_id, const TableMenuHandlers& handlers, QWidget* parent);

}  // namespace tarsel::ui
