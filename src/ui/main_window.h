#pragma once

// The desktop program's main window: menus, toolbar and status bar; the columns tree over the
// memories tree on the left; the tab area on the right, whose first tab "Columns" holds the
// records list and the record pane. It routes every command, drives the update engine from its
// timers and runs the closing steps.
//
// Main thread only. The ProgramData (settings and both trees) must outlive the window.

#include <QMainWindow>
#include <functional>
#include <memory>

#include "app/program_data.h"
#include "platform/notifier.h"
#include "store/record.h"
#include "store/tree_node.h"
#include "view/closing_steps.h"

class QLabel;
class QSplitter;
class QToolBar;

namespace tarsel {
class Column;
class ColumnGroup;
class MemoriesColumn;
}  // namespace tarsel

namespace tarsel::ui {

class CommandActions;
class NodeTree;
class QuickViewBox;
class RecordsList;
class RecordView;
class SettingsOwner;
class StoreChangeWatch;
class StoreLoader;
class TabArea;
class TitledPane;
class TrayPresence;
class TreeModel;
class UpdateDriver;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(ProgramData& data, QWidget* parent = nullptr);
  ~MainWindow() override;

  // After the window is shown: the saved placement (when it fits the screen), the splitter
  // positions, the node selected at the last close, the focus on the columns tree.
  void RestoreLayout();
  // The timers and the start-up update.
  void StartUpdates();
  // Tells the user once about files that could not be read whole (before any save).
  void ReportDamagedFiles();
  // For stores read by `loader` (not owned) while the window paints, in place of
  // ReportDamagedFiles and StartUpdates: the window takes no input until the trees are in, then
  // selects the node of the last close, tells of damaged files and starts the updates. The
  // closing steps wait for the loader, so an empty tree is never saved.
  void WaitForStores(StoreLoader* loader);

  // Runs the closing steps for `reason` once; later calls do nothing. A store that cannot be
  // written offers Retry or Quit (Quit ends without it; the old file stays).
  void RunClosingSteps(CloseReason reason);
  // Closes the program as File -> Exit does.
  void ExitProgram();
  // The tray icon stands in a tray: the close box then only minimizes (with minimize_on_close).
  void SetTrayPresent(bool present) { tray_present_ = present; }
  // Where messages and Yes/No questions go (message boxes by default; tests put a fake here).
  // Not owned; null restores the message boxes.
  void SetPrompt(UserPrompt* prompt) { prompt_ = prompt; }

  CommandActions* actions() const { return actions_; }
  SettingsOwner* settings() const { return settings_; }
  UpdateDriver* updates() const { return updates_; }
  NodeTree* columns_tree() const { return columns_tree_; }
  NodeTree* memories_tree() const { return memories_tree_; }
  TabArea* tab_area() const { return tabs_; }
  RecordView* record_pane() const { return record_pane_; }
  RecordsList* records_list() const { return records_list_; }
  QString RecordsCaption() const;
  QString StatusText() const;
  QString QueueStatusText() const;
  QSplitter* main_splitter() const { return main_splitter_; }
  QSplitter* left_splitter() const { return left_splitter_; }
  QSplitter* items_splitter() const { return items_splitter_; }
  ProgramData& data() { return data_; }

 signals:
  // The queue's counters and the tray tooltip text changed.
  void QueueStatusChanged(QString tooltip);
  // The tray animation runs while the queue is not empty.
  void UpdateAnimationChanged(bool running);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenusAndToolbar();
  void BuildStatusBar();
  QWidget* BuildLeftSide();
  QWidget* BuildTabArea();
  void ConnectUpdates();
  void ConnectTray();
  void BindCommands();
  void BindViewCommands();
  void BindUpdateCommands();
  void BindTreeCommands();
  void BindMemoriesCommands();
  void BindHelpCommands();
  void BindPaneCommands();
  void BindRecordsCommands();
  void RecordToMemories(int memories_column_id, const RecordRef& record);
  // The memories group a new memories column goes into: the selected group, or the group of the
  // selected memories column; null (the top) when none.
  ColumnGroup* SelectedMemoriesGroup() const;
  void ShowMemoriesChange(const TreeNode* made);
  // Everything that shows a setting follows the live settings after a change.
  void OnSettingsChanged();
  // The checked states of the View menu's entries from the live settings.
  void SyncViewActions();
  void SelectionToMemories(int memories_column_id, const QString& html, const QString& url,
                           const QString& title);

  void ShowNode(const TreeNodeRef& node);
  // True when the records list shows `node` or a column inside it.
  bool ShowsNodeOrItsChild(const TreeNode& node) const;
  void MemoriesEntryChosen(int command);
  void ShowQuickView(int position);
  void ShowRecordsOf(const TreeNodeRef& node);
  void OnColumnChanged(Column* column);
  void OnTextDropped(const QString& text);
  void ShowMenu(int menu_id, QPoint position);
  void ShowMessage(const QString& caption, const QString& text);
  bool Ask(const QString& text);
  void NotAvailable(int command);

  void ApplyLayoutVertical(bool vertical);
  void ApplyMemoriesVisible(bool visible);
  void ApplyLeftSideForTab(int index);
  void DeleteFromColumnsTree();
  void MarkAll(bool read);
  void AfterTreeChange();
  void RestoreSelection();
  void OnStoresLoaded();

  void StoreWindowState();
  void StoreWindowStateInto(Settings& settings) const;
  bool SaveWithRetry(bool (*save)(ProgramData&), const char* file_name);

  ProgramData& data_;
  SettingsOwner* settings_ = nullptr;
  CommandActions* actions_ = nullptr;
  UpdateDriver* updates_ = nullptr;
  StoreChangeWatch* store_watch_ = nullptr;
  TrayPresence* tray_ = nullptr;
  TreeModel* columns_model_ = nullptr;
  TreeModel* memories_model_ = nullptr;
  NodeTree* columns_tree_ = nullptr;
  NodeTree* memories_tree_ = nullptr;
  TitledPane* memories_pane_ = nullptr;
  TitledPane* records_pane_ = nullptr;
  QSplitter* main_splitter_ = nullptr;
  QSplitter* left_splitter_ = nullptr;
  QSplitter* items_splitter_ = nullptr;
  QWidget* left_side_ = nullptr;
  TabArea* tabs_ = nullptr;
  RecordsList* records_list_ = nullptr;
  RecordView* record_pane_ = nullptr;
  QuickViewBox* quick_views_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  QLabel* status_text_ = nullptr;
  QLabel* updating_pane_ = nullptr;
  QLabel* waiting_pane_ = nullptr;
  TreeNodeRef shown_node_;
  StoreLoader* store_loader_ = nullptr;  // while the stores are being read
  bool closing_done_ = false;
  bool exiting_ = false;
  bool tray_present_ = false;
  UserPrompt* prompt_ = nullptr;
};

}  // namespace tarsel::ui
