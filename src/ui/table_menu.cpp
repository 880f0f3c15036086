#include "ui/table_menu.h"

#include <QAction>
#include <QMenu>

#include "ui/qt_text.h"
#include "ui/translate_widgets.h"
#include "view/command_table.h"

namespace tarsel::ui {
namespace {

void AddEntries(QMenu* menu, const std::vector<MenuEntry>& entries,
                const TableMenuHandlers& handlers, std::map<int, QAction*>& actions) {
  for (const MenuEntry& entry : entries) {
    switch (entry.kind) {
      case MenuEntryKind::kSeparator:
        menu->addSeparator();
        break;
      case MenuEntryKind::kPopup: {
        QMenu* popup = menu->addMenu(Text(entry.text_id));
        AddEntries(popup, entry.children, handlers, actions);
        if (entry.memories_first_id != 0 && handlers.fill_memories) handlers.fill_memories(popup);
        break;
      }
      case MenuEntryKind::kCommand: {
        QAction* action = menu->addAction(Text(EntryTextId(entry)));
        action->setData(entry.command);
        const auto handler = handlers.commands.find(entry.command);
        action->setEnabled(handler != handlers.commands.end() && handler->second);
        if (action->isEnabled()) {
          QObject::connect(action, &QAction::triggered, menu, handler->second);
        }
        actions[entry.command] = action;
        break;
      }
    }
  }
}

}  // namespace

QMenu* BuildTableMenu(int menu_id, const TableMenuHandlers& handlers, QWidget* parent) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("menu_%1").arg(menu_id));
  std::map<int, QAction*> actions;
  AddEntries(menu, MenuEntries(menu_id), handlers, actions);
  TranslateMenu(menu, menu_id, [&actions](int id) {
    const auto found = actions.find(id);
    return found == actions.end() ? nullptr : found->second;
  });
  return menu;
}

}  // namespace tarsel::ui
