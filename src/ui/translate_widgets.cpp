#include "ui/translate_widgets.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>

#include "settings/translation_table.h"
#include "ui/qt_text.h"

namespace tarsel::ui {
namespace {

constexpr char kControlIdProperty[] = "tarselControlId";

void SetControlText(QWidget* control, const QString& text) {
  if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(text);
  } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
    group->setTitle(text);
  } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setText(text);
  }
}

// The translated entry shows and changes what the command's shared action holds: its check
// mark, whether it is enabled, its icon.
void MirrorState(QAction* plain, QAction* target) {
  plain->setIcon(target->icon());
  plain->setCheckable(target->isCheckable());
  plain->setChecked(target->isChecked());
  plain->setEnabled(target->isEnabled());
  QObject::connect(plain, &QAction::triggered, target, &QAction::trigger);
  QObject::connect(target, &QAction::toggled, plain, &QAction::setChecked);
  QObject::connect(target, &QAction::enabledChanged, plain, &QAction::setEnabled);
}

// The translated text of a shared action is the first menu's that translates it; true when
// `text` is that one.
bool ClaimCommandText(QAction* shared, const QString& text) {
  static constexpr char kTranslatedText[] = "translatedMenuText";
  const QVariant claimed = shared->property(kTranslatedText);
  if (!claimed.isValid()) shared->setProperty(kTranslatedText, text);
  return !claimed.isValid() || claimed.toString() == text;
}

void ApplyItems(QWidget* menu, const MenuTranslation& items,
                const std::function<QAction*(int)>& command_action) {
  for (size_t position = 0; position < items.size(); ++position) {
    const QList<QAction*> entries = menu->actions();
    if (position >= static_cast<size_t>(entries.size())) return;
    QAction* entry = entries[static_cast<qsizetype>(position)];
    const MenuItemTranslation& item = items[position];
    switch (item.kind) {
      case MenuItemTranslation::Kind::kSeparator:
        break;
      case MenuItemTranslation::Kind::kPopup:
        // Renaming keeps the submenu, so the nested items apply to it.
        entry->setText(ToQt(item.text));
        if (entry->menu() != nullptr) ApplyItems(entry->menu(), item.children, command_action);
        break;
      case MenuItemTranslation::Kind::kCommand: {
        const QString text = ToQt(item.text);
        QAction* shared = command_action ? command_action(item.command) : nullptr;
        // The menu's own entry of the command (under another text here) takes the text; so does
        // the shared action, unless another menu has given the command another text already.
        const bool own_entry = entry->parent() == menu && entry->data().toInt() == item.command;
        if (own_entry || (entry == shared && ClaimCommandText(shared, text))) {
          entry->setText(text);
          break;
        }
        // Named otherwise here, or another entry in this place: a plain entry of its own that
        // runs the shared action.
        auto* plain = new QAction(text, menu);
        plain->setData(item.command);
        if (shared != nullptr) MirrorState(plain, shared);
        menu->insertAction(entry, plain);
        menu->removeAction(entry);
        if (entry->parent() == menu) entry->deleteLater();
        break;
      }
    }
  }
}

}  // namespace

void SetControlId(QWidget* control, int control_id) {
  control->setProperty(kControlIdProperty, control_id);
}

QLabel* IdLabel(int text_id) {
  return WithControlId(new QLabel(Text(text_id)), text_id);
}

void TranslateDialog(QWidget* dialog, int dialog_id) {
  const TranslationTable& table = ProcessTranslations();
  auto found = table.dialogs.find(dialog_id);
  if (found == table.dialogs.end()) return;
  dialog->setWindowTitle(ToQt(found->second.caption));
  for (QWidget* control : dialog->findChildren<QWidget*>()) {
    const QVariant id = control->property(kControlIdProperty);
    if (!id.isValid()) continue;
    auto text = found->second.controls.find(id.toInt());
    if (text != found->second.controls.end()) SetControlText(control, ToQt(text->second));
  }
}

void TranslateMenu(QWidget* menu, int menu_id,
                   const std::function<QAction*(int command_id)>& command_action) {
  const TranslationTable& table = ProcessTranslations();
  auto found = table.menus.find(menu_id);
  if (found != table.menus.end()) ApplyItems(menu, found->second, command_action);
}

}  // namespace tarsel::ui
