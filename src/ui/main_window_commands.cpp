// The main window's commands: what each menu entry, toolbar button and key does.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>

#include "app/feedback.h"
#include "app/help.h"
#include "app/memories_selection.h"
#include "store/column.h"
#include "store/memories_operations.h"
#include "ui/about_box.h"
#include "ui/columns_tree.h"
#include "ui/command_actions.h"
#include "ui/dialog_commands.h"
#include "ui/main_window.h"
#include "ui/memories_dialogs.h"
#include "ui/qt_text.h"
#include "ui/quick_view_box.h"
#include "ui/records_list.h"
#include "ui/settings_owner.h"
#include "ui/tab_area.h"
#include "ui/titled_pane.h"
#include "ui/tree_model.h"
#include "ui/update_driver.h"
#include "ui/web_pane.h"
#include "view/command_ids.h"
#include "view/dropped_column.h"
#include "view/main_window_text.h"
#include "view/record_operations.h"
#include "view/string_table.h"
#include "view/text_format.h"

namespace tarsel::ui {

void MainWindow::BindCommands() {
  actions_->SetUnboundHandler([this](int id) { NotAvailable(id); });
  BindViewCommands();
  BindUpdateCommands();
  BindTreeCommands();
  BindMemoriesCommands();
  BindHelpCommands();
  BindPaneCommands();
  BindRecordsCommands();
  BindDialogCommands(*actions_, {this, &data_, settings_, columns_tree_, memories_tree_,
                                 &updates_->queue(), [this] { AfterTreeChange(); },
                                 [this](Column& column) {
                                   OnColumnChanged(&column);
                                   ShowRecordsOf(shown_node_);
                                 }});
  connect(settings_, &SettingsOwner::Changed, this, &MainWindow::OnSettingsChanged);
  actions_->Bind(cmd::kExit, [this] { ExitProgram(); });
  actions_->Bind(cmd::kOpenColumn, [this] {
    QMenu* menu = actions_->BuildMenu(kImportMenu, this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(QCursor::pos());
  });
}

void MainWindow::BindViewCommands() {
  // A checkable command's action already holds the new state; the settings follow it, and
  // OnSettingsChanged shows it.
  auto follow = [this](int command, bool Settings::*field) {
    actions_->Bind(command, [this, command, field] {
      const bool checked = actions_->Action(command)->isChecked();
      settings_->Change([field, checked](Settings& settings) { settings.*field = checked; });
    });
  };
  follow(cmd::kViewToolbar, &Settings::viewtoolbar);
  follow(cmd::kViewStatusBar, &Settings::viewstatusbar);
  follow(cmd::kToggleDescriptions, &Settings::descriptions_show);
  follow(cmd::kHideTreeWhileBrowsing, &Settings::fullscreen);
  SyncViewActions();
  actions_->Bind(cmd::kHorizontalSplit, [this] { ApplyLayoutVertical(false); });
  actions_->Bind(cmd::kVerticalSplit, [this] { ApplyLayoutVertical(true); });
  actions_->Bind(cmd::kToggleMemories, [this] {
    ApplyMemoriesVisible(actions_->Action(cmd::kToggleMemories)->isChecked());
  });
  // The quick views by their places in the toolbar's list (separators at 3 and 7).
  constexpr int kPositions[] = {0, 1, 2, 4, 5, 6, 8, 9};
  for (int i = 0; i < 8; ++i) {
    const int position = kPositions[i];
    actions_->Bind(cmd::kQuickViewFirst + i, [this, position] {
      quick_views_->SelectQuickView(position);
      ShowQuickView(position);
    });
  }
}

void MainWindow::BindUpdateCommands() {
  UpdateQueue& queue = updates_->queue();
  actions_->Bind(cmd::kUpdateAll, [&queue] { queue.UpdateAll(); });
  actions_->Bind(cmd::kStopAll, [&queue] { queue.StopAll(); });
  actions_->Bind(cmd::kOfflineMode, [this, &queue] {
    queue.SetOffline(actions_->Action(cmd::kOfflineMode)->isChecked());
  });
  actions_->Bind(cmd::kUpdateSelected,
                 [this, &queue] { queue.UpdateColumns(columns_tree_->SelectedColumns()); });
  actions_->Bind(cmd::kUpdateSelectedColumns,
                 [this, &queue] { queue.UpdateColumns(columns_tree_->SelectedColumns()); });
  actions_->Bind(cmd::kUpdateColumn, [this, &queue] {
    // Queued even in offline mode: the user asked for it.
    for (const auto& column : columns_tree_->SelectedColumns()) queue.Enqueue(column);
  });
  actions_->Bind(cmd::kStopSelected, [this, &queue] {
    for (const auto& column : columns_tree_->SelectedColumns()) queue.StopColumn(column);
  });
  actions_->Bind(cmd::kStopColumnUpdate, [this, &queue] {
    for (const auto& column : columns_tree_->SelectedColumns()) queue.StopColumn(column);
  });
  actions_->Bind(cmd::kStopSelectedColumns,
                 [this, &queue] { queue.StopColumns(columns_tree_->SelectedColumns()); });
}

void MainWindow::BindTreeCommands() {
  // Enter and Delete are bound to the group rows of the key table; they act on whatever the
  // tree has selected.
  actions_->Bind(cmd::kDeleteGroup, [this] { DeleteFromColumnsTree(); });
  actions_->Bind(cmd::kDeleteColumn, [this] { DeleteFromColumnsTree(); });
  actions_->Bind(cmd::kDeleteSelectedColumns, [this] { DeleteFromColumnsTree(); });
  actions_->Bind(cmd::kGroupProperties, [this] {
    const TreeNodeRef node = columns_tree_->CurrentNode();
    NotAvailable(node && node->Kind() == NodeKind::kColumn ? cmd::kColumnProperties
                                                           : cmd::kGroupProperties);
  });
  // From the list, its records; from the tree, every record of the selected columns.
  actions_->Bind(cmd::kMarkAllRead, [this] {
    if (records_list_->isAncestorOf(QApplication::focusWidget()))
      return records_list_->MarkAllRead();
    MarkAll(true);
  });
  actions_->Bind(cmd::kMarkAllUnread, [this] {
    if (records_list_->isAncestorOf(QApplication::focusWidget()))
      return records_list_->MarkAllUnread();
    MarkAll(false);
  });
}

// New, rename and the name dialogs are the dialog commands'; deleting also clears the list when
// it shows the node or a column of the group, once the user has said Yes.
void MainWindow::BindMemoriesCommands() {
  auto remove = [this] {
    const TreeNodeRef node = memories_tree_->CurrentNode();
    if (!node || !AskDeleteMemoriesNode(this, *node)) return;
    // The list lets go of the records before they go.
    if (ShowsNodeOrItsChild(*node)) ShowNode(nullptr);
    if (DeleteMemoriesNode(data_.memories, *node)) memories_tree_->Rebuild();
  };
  actions_->Bind(cmd::kDeleteMemoriesGroup, remove);
  actions_->Bind(cmd::kDeleteMemoriesColumn, remove);
  actions_->SetMemoriesMenu([this] { return MemoriesMenuNames(data_.memories); },
                            [this](int command) { MemoriesEntryChosen(command); });
}

// A memories column chosen in a "To Memories" popup: of the records list's menu, for the
// selected record; of a pane's selection menu, for that pane's selection.
void MainWindow::MemoriesEntryChosen(int command) {
  if (auto column =
          MemoriesColumnForCommand(data_.memories, command, kRecordsMenuMemoriesFirstId)) {
    return RecordToMemories(column->id, records_list_->SelectedRecord());
  }
  auto column = MemoriesColumnForCommand(data_.memories, command, kSelectionMenuMemoriesFirstId);
  auto* pane = qobject_cast<WebPane*>(actions_->Target());
  if (column && pane != nullptr) pane->SelectionToMemories(column->id);
}

bool MainWindow::ShowsNodeOrItsChild(const TreeNode& node) const {
  for (const TreeNode* shown = shown_node_.get(); shown != nullptr; shown = shown->parent) {
    if (shown == &node) return true;
  }
  return false;
}

void MainWindow::BindHelpCommands() {
  actions_->Bind(cmd::kHelpTopics, [] { ShowHelpContents(); });
  actions_->Bind(cmd::kHomePage, [] { OpenHomePage(); });
  actions_->Bind(cmd::kBugReport, [] { SendFeedback(FeedbackKind::kBugReport); });
  actions_->Bind(cmd::kSuggestions, [] { SendFeedback(FeedbackKind::kSuggestion); });
  actions_->Bind(cmd::kInformationRequest, [] { SendFeedback(FeedbackKind::kInformationRequest); });
  actions_->Bind(cmd::kAbout, [this] {
    std::vector<std::string> words;
    for (const auto& column : data_.columns.Columns()) words.push_back(column->name);
    AboutBox box(std::move(words), this);
    box.exec();
  });
}

void MainWindow::BindPaneCommands() {
  tabs_->SetCommandActions(actions_);
}

// A selection of the record pane or a browser tab kept in a memories column (0: a new one,
// named by the user).
void MainWindow::SelectionToMemories(int memories_column_id, const QString& html,
                                     const QString& url, const QString& title) {
  std::shared_ptr<MemoriesColumn> target;
  if (memories_column_id == 0) {
    target = RememberSelectionInNewColumn(this, data_.memories, SelectedMemoriesGroup(),
                                          FromQt(html), FromQt(url), FromQt(title));
    if (target) ShowMemoriesChange(target.get());
    return;
  }
  target = std::dynamic_pointer_cast<MemoriesColumn>(data_.memories.FindById(memories_column_id));
  if (!target) return;
  AddSelectionToMemories(FromQt(html), FromQt(url), FromQt(title), *target);
  ShowMemoriesChange(nullptr);
}

ColumnGroup* MainWindow::SelectedMemoriesGroup() const {
  const TreeNodeRef node = memories_tree_->CurrentNode();
  if (!node) return nullptr;
  if (node->Kind() == NodeKind::kGroup) return static_cast<ColumnGroup*>(node.get());
  return node->parent;
}

// The memories tree after a record or selection went into it: rebuilt, shown, and with the
// column a new one was made for selected.
void MainWindow::ShowMemoriesChange(const TreeNode* made) {
  memories_tree_->Rebuild();
  if (!settings_->Get().memories_visible) actions_->Run(cmd::kToggleMemories);
  if (made != nullptr) memories_tree_->SelectNode(made);
}

// The list binds the commands that act on it alone; these also change what the window shows.
void MainWindow::BindRecordsCommands() {
  RecordsList* list = records_list_;
  actions_->Bind(cmd::kFindRecords, [this, list] {
    if (!list->FindRecords()) return;
    // As a quick view: the result replaces the node's records and shows in front.
    shown_node_ = nullptr;
    records_pane_->SetTitle(list->Caption());
    tabs_->setCurrentIndex(0);
  });
  actions_->Bind(cmd::kRecordToNewMemories,
                 [this, list] { RecordToMemories(0, list->SelectedRecord()); });
}

// A record kept in a memories column (0: a new one, named by the user; only records of feed
// columns go into a new one).
void MainWindow::RecordToMemories(int memories_column_id, const RecordRef& record) {
  if (!record) return;
  if (memories_column_id == 0) {
    const TreeNodeRef source = records_list_->SelectedColumn();
    auto column = RememberRecordInNewColumn(this, data_.memories, SelectedMemoriesGroup(),
                                            source.get(), record.get());
    if (column) ShowMemoriesChange(column.get());
    return;
  }
  auto target =
      std::dynamic_pointer_cast<MemoriesColumn>(data_.memories.FindById(memories_column_id));
  if (!target) return;
  AddRecordToMemories(*record, *target);
  ShowMemoriesChange(nullptr);
}

void MainWindow::SyncViewActions() {
  const Settings& settings = settings_->Get();
  actions_->Action(cmd::kViewToolbar)->setChecked(settings.viewtoolbar);
  actions_->Action(cmd::kViewStatusBar)->setChecked(settings.viewstatusbar);
  actions_->Action(cmd::kToggleDescriptions)->setChecked(settings.descriptions_show);
  actions_->Action(cmd::kHideTreeWhileBrowsing)->setChecked(settings.fullscreen);
}

void MainWindow::OnSettingsChanged() {
  const Settings& settings = settings_->Get();
  SyncViewActions();
  toolbar_->setVisible(settings.viewtoolbar);
  statusBar()->setVisible(settings.viewstatusbar);
  ApplyLeftSideForTab(tabs_->currentIndex());
  columns_tree_->SetSorted(settings.sortcolumns);
  records_list_->Refresh();
  records_pane_->SetTitle(records_list_->Caption());
}

void MainWindow::DeleteFromColumnsTree() {
  std::vector<TreeNodeRef> nodes = columns_tree_->SelectedNodes();
  if (nodes.empty()) return;
  QString question;
  if (nodes.size() > 1) {
    question = ToQt(
        FillNumber(GetText(text::kDeleteColumnsQuestion), static_cast<long long>(nodes.size())));
  } else {
    question = Text(nodes.front()->Kind() == NodeKind::kGroup ? text::kDeleteGroupQuestion
                                                              : text::kDeleteColumnQuestion);
  }
  if (!Ask(question)) return;
  for (const TreeNodeRef& node : nodes) {
    std::vector<std::shared_ptr<Column>> columns;
    node->CollectColumns(columns);
    updates_->queue().StopColumns(columns);
    // A group and a column inside it may both be selected; the group took the column already.
    if (node->parent != nullptr) node->parent->RemoveChild(node.get());
  }
  ShowNode(nullptr);
  AfterTreeChange();
}

void MainWindow::MarkAll(bool read) {
  for (const auto& column : columns_tree_->SelectedColumns()) {
    for (const auto& changed : MarkNodeRecords(*column, !read))
      columns_model_->NodeChanged(*changed);
  }
  ShowRecordsOf(shown_node_);
}

void MainWindow::OnTextDropped(const QString& dropped) {
  const DropResult result =
      AddDroppedColumn(data_.columns, FromQt(dropped), data_.store_options.column_defaults);
  if (result.outcome == DropOutcome::kDuplicate) {
    ShowMessage(Text(text::kNotificationCaption), ToQt(result.message));
  } else if (result.outcome == DropOutcome::kAdded) {
    AfterTreeChange();
    columns_tree_->SelectNode(result.column.get());
  }
}

void MainWindow::AfterTreeChange() {
  columns_tree_->Rebuild();
}

void MainWindow::ShowMenu(int menu_id, QPoint position) {
  QMenu* menu = actions_->BuildMenu(menu_id, this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(position);
}

void MainWindow::ShowMessage(const QString& caption, const QString& text) {
  if (prompt_ != nullptr) return prompt_->ShowMessage(FromQt(caption), FromQt(text));
  QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

bool MainWindow::Ask(const QString& text) {
  if (prompt_ != nullptr)
    return prompt_->AskYesNo(FromQt(Text(text::kQuestionCaption)), FromQt(text));
  QMessageBox box(QMessageBox::Warning, Text(text::kQuestionCaption), text,
                  QMessageBox::Yes | QMessageBox::No, this);
  box.setTextFormat(Qt::PlainText);
  return box.exec() == QMessageBox::Yes;
}

void MainWindow::NotAvailable(int command) {
  ShowMessage(
      Text(text::kNotAvailableCaption),
      ToQt(FillText(GetText(text::kNotAvailableText), FromQt(actions_->PlainText(command)))));
}

}  // namespace tarsel::ui
