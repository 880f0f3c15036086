#pragma once

// The main window's commands as Qt actions, built from the command table (view/command_table.h):
// one QAction per command id (its data is the id), the menu bar, the numbered context menus and
// the keys. Whoever can carry out a command binds a handler to its id; choosing a command that
// nobody has bound runs the unbound handler (the window shows "not available yet").
//
// Main thread only.

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "view/command_table.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace tarsel::ui {

class CommandActions : public QObject {
  Q_OBJECT

 public:
  // The actions are added to `window`, so their window-wide keys work wherever the focus is
  // inside it.
  explicit CommandActions(QWidget* window);

  // The action of a command id (aliases have their own action that runs their target); null
  // for an unknown id.
  QAction* Action(int id) const;
  // The handler of `id` (an alias id binds its target). A second Bind replaces the first.
  void Bind(int id, std::function<void()> handler);
  bool IsBound(int id) const;
  // Runs the command as if it had been chosen.
  void Run(int id);
  // Called with the command id when an unbound command is chosen.
  void SetUnboundHandler(std::function<void(int id)> handler);

  // A numbered menu (context menus, the tray menu), owned by `parent`, made of the window's own
  // actions. "To Memories" popups are filled with the memories column names each time they
  // open. A context menu opened on something (a browser tab, a pane's selection) names it as
  // `target`: while the menu is up, and for the command chosen from it, Target() answers it,
  // and the commands of `disabled` show disabled.
  QMenu* BuildMenu(int menu_id, QWidget* parent, QObject* target = nullptr,
                   const std::set<int>& disabled = {});
  // What the context menu the running command came from was opened on; null for the menu bar,
  // a key or a menu without a target.
  QObject* Target() const { return target_; }
  // The unbound handler, for a handler that finds nothing to act on.
  void SayUnavailable(int id);
  // The main menu (128) into a menu bar.
  void FillMenuBar(QMenuBar* bar);
  // Keys of `scope` (the columns tree's Enter, Delete, Num-.; the records list's Delete), acting
  // only while `widget` or a child of it has the focus.
  void AttachKeys(QWidget* widget, KeyScope scope);

  // The memories column names the "To Memories" popups list, and who hears the choice of one
  // (its command id: the popup's first id + position).
  void SetMemoriesMenu(std::function<std::vector<std::string>()> names,
                       std::function<void(int command_id)> chosen);

  // The menu text of a command without its key part, for messages.
  QString PlainText(int id) const;

 private:
  void CreateActions(QWidget* window);
  void Trigger(int id);
  void AddEntries(QMenu* menu, const std::vector<MenuEntry>& entries);
  void AddCommandEntry(QMenu* menu, const MenuEntry& entry);
  void FillMemoriesPopup(QMenu* popup, int first_id, int fixed_entries);
  void AimAt(QMenu* menu, QObject* target, const std::set<int>& disabled);

  std::map<int, QAction*> actions_;
  std::map<int, std::function<void()>> handlers_;
  std::function<void(int)> unbound_;
  std::function<std::vector<std::string>()> memories_names_;
  std::function<void(int)> memories_chosen_;
  QPointer<QObject> target_;
  QPointer<QMenu> target_menu_;  // the menu that set target_
};

// The Qt key of a command key.
QKeySequence ToKeySequence(const KeyChord& chord);

}  // namespace tarsel::ui
