#include "ui/table_menu.h"

#include <QAction>
#include <QMenu>

#include "ui/qt_text.h"
#include "ui/translate_widgets.h"
#include "view/command_table.h"

namespace tarsel::ui {
void AddMenuEntries(QMenu* menu, const std::vector<MenuEntry>& entries,
                    const MenuEntryHooks& hooks) {
  for (const MenuEntry& entry : entries) {
    switch (entry.kind) {
      case MenuEntryKind::kSeparator:
        menu->addSeparator();
        break;
      case MenuEntryKind::kPopup: {
        QMenu* popup = menu->addMenu(Text(entry.text_id));
        AddMenuEntries(popup, entry.children, hooks);
        if (hooks.popup_done) hooks.popup_done(popup, entry);
        break;
      }
      case MenuEntryKind::kCommand:
        hooks.add_command(menu, entry);
        break;
    }
  }
}

QMenu* BuildTableMenu(int menu_id, const TableMenuHandlers& handlers, QWidget* parent) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("menu_%1").arg(menu_id));
  std::map<int, QAction*> actions;
  MenuEntryHooks hooks;
  hooks.add_command = [&handlers, &actions](QMenu* into, const MenuEntry& entry) {
    QAction* action = into->addAction(Text(EntryTextId(entry)));
    action->setData(entry.command);
    const auto handler = handlers.commands.find(entry.command);
    action->setEnabled(handler != handlers.commands.end() && handler->second);
    if (action->isEnabled()) QObject::connect(action, &QAction::triggered, into, handler->second);
    actions[entry.command] = action;
  };
  hooks.popup_done = [&handlers](QMenu* popup, const MenuEntry& entry) {
    if (entry.memories_first_id != 0 && handlers.fill_memories) handlers.fill_memories(popup);
  };
  AddMenuEntries(menu, MenuEntries(menu_id), hooks);
  TranslateMenu(menu, menu_id, [&actions](int id) {
    const auto found = actions.find(id);
    return found == actions.end() ? nullptr : found->second;
  });
  return menu;
}

}  // namespace tarsel::ui
