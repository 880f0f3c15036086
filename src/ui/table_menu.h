#pragma once

// A context menu of the command table built for one showing, with handlers of its own: for
// menus whose commands act on what was clicked (a browser tab, a text selection) rather than
// on the window's selection. Entries, order and a translation's menu entries are the table's,
// as for the window's menus. Main thread only.

#include <functional>
#include <map>

class QMenu;
class QWidget;

namespace tarsel::ui {

struct TableMenuHandlers {
  // What each command of the menu runs; a command without a handler is shown disabled.
  std::map<int, std::function<void()>> commands;
  // Adds the memories entries to a "To Memories" popup after its own entries.
  std::function<void(QMenu* popup)> fill_memories;
};

// The menu, owned by `parent`; each entry carries its command id as data.
QMenu* BuildTableMenu(int menu_id, const TableMenuHandlers& handlers, QWidget* parent);

}  // namespace tarsel::ui
