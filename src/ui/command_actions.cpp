#include "ui/command_actions.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "store/memories_operations.h"
#include "ui/qt_text.h"
#include "ui/table_menu.h"
#include "ui/translate_widgets.h"
#include "view/string_table.h"

namespace tarsel::ui {
namespace {

// A string-table tooltip may carry a status prompt before its line break; the tip follows it.
QString TooltipText(int id) {
  const QString text = Text(id);
  const qsizetype line_break = text.lastIndexOf('\n');
  return line_break < 0 ? text : text.mid(line_break + 1);
}

}  // namespace

QKeySequence ToKeySequence(const KeyChord& chord) {
  Qt::KeyboardModifiers modifiers;
  if (chord.modifiers & kKeyCtrl) modifiers |= Qt::ControlModifier;
  if (chord.modifiers & kKeyShift) modifiers |= Qt::ShiftModifier;
  if (chord.modifiers & kKeyAlt) modifiers |= Qt::AltModifier;
  int key = chord.key;
  if (chord.key >= kKeyF1 && chord.key < kKeyF1 + 24) {
    key = Qt::Key_F1 + (chord.key - kKeyF1);
  } else {
    switch (chord.key) {
      case kKeyEnter:
        key = Qt::Key_Return;
        break;
      case kKeyDelete:
        key = Qt::Key_Delete;
        break;
      case kKeyInsert:
        key = Qt::Key_Insert;
        break;
      case kKeySpace:
        key = Qt::Key_Space;
        break;
      case kKeypadPlus:
        key = Qt::Key_Plus, modifiers |= Qt::KeypadModifier;
        break;
      case kKeypadMinus:
        key = Qt::Key_Minus, modifiers |= Qt::KeypadModifier;
        break;
      case kKeypadDecimal:
        key = Qt::Key_Period, modifiers |= Qt::KeypadModifier;
        break;
      default:
        break;  // printable keys are their ASCII code, as Qt's are
    }
  }
  return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(key)));
}

CommandActions::CommandActions(QWidget* window) : QObject(window) {
  CreateActions(window);
}

void CommandActions::CreateActions(QWidget* window) {
  for (const CommandInfo& info : Commands()) {
    auto* action = new QAction(info.text_id != 0 ? Text(info.text_id) : QString(), this);
    action->setData(info.id);
    action->setObjectName(QStringLiteral("command_%1").arg(info.id));
    action->setCheckable(info.checkable);
    if (info.tooltip_id != 0) action->setToolTip(TooltipText(info.tooltip_id));
    // A toolbar-only command has no menu text; its button is named by its tooltip, so a screen
    // reader hears more than "button".
    if (info.text_id == 0 && info.tooltip_id != 0) {
      action->setIconText(TooltipText(info.tooltip_id));
    }
    QList<QKeySequence> keys;
    for (const AcceleratorRow& row : ResolvedAccelerators()) {
      if (row.command == info.id && row.scope == KeyScope::kWindow) keys << ToKeySequence(row.key);
    }
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    const int id = info.id;
    connect(action, &QAction::triggered, this, [this, id] { Trigger(id); });
    window->addAction(action);
    actions_[id] = action;
  }
}

QAction* CommandActions::Action(int id) const {
  const auto found = actions_.find(id);
  return found == actions_.end() ? nullptr : found->second;
}

void CommandActions::Bind(int id, std::function<void()> handler) {
  handlers_[CommandTarget(id)] = std::move(handler);
}

bool CommandActions::IsBound(int id) const {
  return handlers_.count(CommandTarget(id)) > 0;
}

void CommandActions::Run(int id) {
  if (QAction* action = Action(id); action != nullptr && action->isCheckable()) {
    action->toggle();  // a checkable command's handler reads the new state
  }
  Trigger(id);
}

void CommandActions::SetUnboundHandler(std::function<void(int)> handler) {
  unbound_ = std::move(handler);
}

void CommandActions::Trigger(int id) {
  const int target = CommandTarget(id);
  if (target != id) {
    // An alias keeps its target's checked state in step.
    QAction* target_action = Action(target);
    if (target_action != nullptr && target_action->isCheckable()) target_action->toggle();
  }
  const auto found = handlers_.find(target);
  if (found != handlers_.end() && found->second) {
    found->second();
  } else if (unbound_) {
    unbound_(target);
  }
}

QMenu* CommandActions::BuildMenu(int menu_id, QWidget* parent, QObject* target,
                                 const std::set<int>& disabled) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("menu_%1").arg(menu_id));
  AddEntries(menu, MenuEntries(menu_id));
  TranslateMenu(menu, menu_id, [this](int id) { return Action(id); });
  if (target != nullptr || !disabled.empty()) AimAt(menu, target, disabled);
  return menu;
}

// The target holds until the command chosen has run: Qt hides the menu before it triggers the
// action, so the target goes a moment after the menu hides (or with the menu). Actions shown
// disabled for this showing get their state back then.
void CommandActions::AimAt(QMenu* menu, QObject* target, const std::set<int>& disabled) {
  target_ = target;
  target_menu_ = menu;
  std::vector<QPointer<QAction>> switched_off;
  for (int id : disabled) {
    QAction* action = Action(id);
    if (action == nullptr || !action->isEnabled()) continue;
    action->setEnabled(false);
    switched_off.emplace_back(action);
  }
  auto done = std::make_shared<bool>(false);
  auto release = [this, menu, switched_off, done] {
    if (*done) return;
    *done = true;
    if (target_menu_ == menu || target_menu_.isNull()) target_ = nullptr;
    for (const QPointer<QAction>& action : switched_off) {
      if (action) action->setEnabled(true);
    }
  };
  connect(menu, &QMenu::aboutToHide, this,
          [this, release] { QTimer::singleShot(0, this, release); });
  connect(menu, &QObject::destroyed, this, release);
}

void CommandActions::SayUnavailable(int id) {
  if (unbound_) unbound_(id);
}

void CommandActions::FillMenuBar(QMenuBar* bar) {
  for (const MenuEntry& entry : MenuEntries(kMainMenu)) {
    QMenu* popup = bar->addMenu(Text(entry.text_id));
    AddEntries(popup, entry.children);
  }
  TranslateMenu(bar, kMainMenu, [this](int id) { return Action(id); });
}

void CommandActions::AddEntries(QMenu* menu, const std::vector<MenuEntry>& entries) {
  MenuEntryHooks hooks;
  hooks.add_command = [this](QMenu* into, const MenuEntry& entry) { AddCommandEntry(into, entry); };
  // The memories columns are listed after the popup's own entries each time it opens.
  hooks.popup_done = [this](QMenu* popup, const MenuEntry& entry) {
    if (entry.memories_first_id == 0) return;
    const int first = entry.memories_first_id;
    const int fixed = static_cast<int>(popup->actions().size());
    connect(popup, &QMenu::aboutToShow, this,
            [this, popup, first, fixed] { FillMemoriesPopup(popup, first, fixed); });
  };
  AddMenuEntries(menu, entries, hooks);
}

void CommandActions::AddCommandEntry(QMenu* menu, const MenuEntry& entry) {
  QAction* shared = Action(entry.command);
  if (shared == nullptr) return;
  const CommandInfo* info = FindCommand(entry.command);
  if (entry.text_id == 0 || entry.text_id == info->text_id) {
    menu->addAction(shared);
    return;
  }
  // The same command under another text in this menu.
  QAction* variant = menu->addAction(Text(entry.text_id));
  variant->setData(entry.command);
  connect(variant, &QAction::triggered, shared, &QAction::trigger);
}

void CommandActions::FillMemoriesPopup(QMenu* popup, int first_id, int fixed_entries) {
  const QList<QAction*> actions = popup->actions();
  for (qsizetype i = fixed_entries; i < actions.size(); ++i) {
    popup->removeAction(actions[i]);
    if (actions[i]->parent() == popup) actions[i]->deleteLater();
  }
  if (!memories_names_) return;
  const std::vector<std::string> names = memories_names_();
  if (names.empty()) return;
  popup->addSeparator();
  for (size_t i = 0; i < names.size(); ++i) {
    // A name is shown as it is: an "&" in it is no mnemonic.
    QAction* entry = popup->addAction(ToQt(names[i]).replace('&', QStringLiteral("&&")));
    const int id = first_id + static_cast<int>(i);
    entry->setData(id);
    // Only the first 200 have ids; the rest are listed but do nothing.
    if (i >= static_cast<size_t>(kMemoriesMenuIdCount)) continue;
    connect(entry, &QAction::triggered, this, [this, id] {
      if (memories_chosen_) memories_chosen_(id);
    });
  }
}

void CommandActions::AttachKeys(QWidget* widget, KeyScope scope) {
  for (const AcceleratorRow& row : ResolvedAccelerators()) {
    if (row.scope != scope) continue;
    QList<QKeySequence> keys{ToKeySequence(row.key)};
    if (row.key.key == kKeyEnter) keys << QKeySequence(Qt::Key_Enter);
    for (const QKeySequence& key : keys) {
      auto* shortcut = new QShortcut(key, widget);
      shortcut->setContext(Qt::WidgetWithChildrenShortcut);
      const int id = row.command;
      connect(shortcut, &QShortcut::activated, this, [this, id] { Trigger(id); });
    }
  }
}

void CommandActions::SetMemoriesMenu(std::function<std::vector<std::string>()> names,
                                     std::function<void(int)> chosen) {
  memories_names_ = std::move(names);
  memories_chosen_ = std::move(chosen);
}

QString CommandActions::PlainText(int id) const {
  QAction* action = Action(id);
  if (action == nullptr) return {};
  QString text = action->text();
  const qsizetype tab = text.indexOf('\t');
  if (tab >= 0) text.truncate(tab);
  return text.remove('&').trimmed();
}

}  // namespace tarsel::ui
