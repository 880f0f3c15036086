#pragma once

// Applying the loaded translation's dialog and menu entries (settings/translation_table.h) to
// widgets: a dialog's caption and its controls by control id, a menu's entries by position.
// Texts that come from the string table need none of this: they are translated by GetText.
// Main thread only.

#include <QLabel>
#include <functional>

class QAction;
class QWidget;

namespace tarsel::ui {

// Gives a dialog's control the id a translation addresses it by.
void SetControlId(QWidget* control, int control_id);

// A control whose text is string `text_id`: translations address it by that id.
template <typename Control>
Control* WithControlId(Control* control, int text_id) {
  SetControlId(control, text_id);
  return control;
}

// A form label showing string `text_id`, addressed by that id.
QLabel* IdLabel(int text_id);

// When the translation has `dialog_id`: the caption (also when empty) and the text of each
// control marked with a translated id (buttons, labels, group boxes, line edits).
void TranslateDialog(QWidget* dialog, int dialog_id);

// When the translation has `menu_id`, applies its items to the entries of `menu` (a QMenu, or
// the QMenuBar of the main menu) by position: a command item replaces the entry with a plain one
// that runs `command_action(id)`; a popup item renames the entry and goes into its submenu; a
// separator item only takes its place. Positions the menu does not have are passed over.
void TranslateMenu(QWidget* menu, int menu_id,
                   const std::function<QAction*(int command_id)>& command_action);

}  // namespace tarsel::ui
