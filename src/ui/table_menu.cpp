#include "ui/table_menu.h"

#include <QMenu>

#include "ui/qt_text.h"
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

}  // namespace tarsel::ui
