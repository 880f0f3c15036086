// The records list's commands: marking, stepping through unread rows, deleting, copying, the
// row menu 369, the header menu 377 and Find RSS Items.
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QTimer>
#include <memory>

#include "store/memories_column.h"
#include "ui/command_actions.h"
#include "ui/find_records_dialog.h"
#include "ui/qt_text.h"
#include "ui/records_list.h"
#include "ui/records_list_view.h"
#include "ui/records_model.h"
#include "view/record_title_text.h"
#include "view/command_table.h"
#include "view/records_list_cells.h"
#include "view/record_operations.h"
#include "view/records_view_model_texts.h"

namespace tarsel::ui {
namespace {

// Command ids of the list.
constexpr int kCommandMarkAllRead = 40237;
constexpr int kCommandMarkAllUnread = 40238;
constexpr int kCommandMarkItemRead = 40244;
constexpr int kCommandMarkItemUnread = 40245;
constexpr int kCommandPersisted = 40246;
constexpr int kCommandCopyToClipboard = 40247;
constexpr int kCommandBlogIt = 40252;
constexpr int kCommandNewMemoriesColumn = 40277;
constexpr int kCommandPrevUnread = 32870;
constexpr int kCommandNextUnread = 32871;

QAction* AddCommand(QMenu* menu, int text_id, int command_id) {
  QAction* action = menu->addAction(Text(text_id));
  action->setData(command_id);
  return action;
}

}  // namespace

void RecordsList::ApplyMark(int row, RecordMark mark) {
  if (row < 0 || row >= model_->rowCount()) return;
  const RecordsViewModel& view = model_->view();
  const std::shared_ptr<TreeNode> column = view.ColumnAt(static_cast<size_t>(row));
  const RecordRef record = view.RecordAt(static_cast<size_t>(row));
  if (!ApplyRecordMark(*column, *record, mark)) return;
  model_->RowChanged(row);
  emit CountsChanged(column);
}

void RecordsList::MarkItemRead() {
  read_timer_->stop();
  ApplyMark(SelectedRow(), RecordMark::kRead);
}

void RecordsList::MarkItemUnread() {
  read_timer_->stop();
  ApplyMark(SelectedRow(), RecordMark::kUnread);
}

void RecordsList::TogglePersisted() {
  ApplyMark(SelectedRow(), RecordMark::kPersistent);
}

void RecordsList::MarkAll(bool unread) {
  const std::vector<std::shared_ptr<TreeNode>> changed = MarkAllRows(model_->view(), unread);
  model_->AllRowsChanged();
  for (const std::shared_ptr<TreeNode>& column : changed) emit CountsChanged(column);
}

void RecordsList::MarkAllRead() {
  MarkAll(false);
}

void RecordsList::MarkAllUnread() {
  MarkAll(true);
}

void RecordsList::NextUnread() {
  const int64_t row = NextUnreadRow(model_->view(), SelectedRow());
  if (row < 0) return;
  SelectRow(static_cast<int>(row));
  view_->setFocus();
}

void RecordsList::PrevUnread() {
  const int selected = SelectedRow();
  // Without a selection there is nothing above: the search starts at the bottom.
  const int64_t row = PrevUnreadRow(model_->view(), selected);
  if (row < 0) return;
  SelectRow(static_cast<int>(row));
  view_->setFocus();
}

void RecordsList::DeleteSelected() {
  const int row = SelectedRow();
  if (row < 0) return;
  const RecordsViewModel& view = model_->view();
  const RecordRef record = view.RecordAt(static_cast<size_t>(row));
  const std::shared_ptr<TreeNode> column = view.ColumnAt(static_cast<size_t>(row));
  if (record->persistent &&
      !confirm_delete_(Text(kTextDeletePersistent), Text(kTextDeletePersistentCaption))) {
    return;
  }
  if (!ApplyRecordMark(*column, *record, RecordMark::kDeleted)) return;
  model_->RemoveRecordRow(row);
  emit CountsChanged(column);
  if (model_->rowCount() == 0) {
    OnCurrentRowChanged();
    return;
  }
  SelectRow(std::min(row, model_->rowCount() - 1));
}

void RecordsList::CopyToClipboard() {
  const RecordRef record = SelectedRecord();
  if (!record) return;
  QString text = ToQt(RecordTitleText(record->title));
  if (!record->link.empty()) text += "\n" + ToQt(record->link);
  if (!record->summary.empty()) text += "\n\n" + ToQt(record->summary);
  QGuiApplication::clipboard()->setText(text);
}

void RecordsList::FindRecords() {
  FindRecordsDialog dialog(last_search_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const SearchChoices choices = dialog.Choices();
  last_search_ = choices;
  if (choices.text.empty()) return;
  ShowSearch(choices);
}

void RecordsList::OnCommandKey(int command_id) {
  switch (command_id) {
    case kCommandNextUnread:
      return NextUnread();
    case kCommandPrevUnread:
      return PrevUnread();
    case RecordsListView::kDeleteKey:
      return DeleteSelected();
    case kCommandMarkItemRead:
      return MarkItemRead();
    case kCommandMarkItemUnread:
      return MarkItemUnread();
    case kCommandPersisted:
      return TogglePersisted();
    case kCommandMarkAllRead:
      return MarkAllRead();
    case kCommandMarkAllUnread:
      return MarkAllUnread();
    default:
      return;
  }
}

void RecordsList::OnCellClicked(int row, int column) {
  if (column == kPersistenceColumn) ApplyMark(row, RecordMark::kPersistent);
}

QMenu* RecordsList::BuildRowMenu() {
  auto* menu = new QMenu(this);
  menu->setObjectName("RecordRowMenu369");
  AddCommand(menu, kTextMarkItemRead, kCommandMarkItemRead);
  AddCommand(menu, kTextMarkItemUnread, kCommandMarkItemUnread);
  AddCommand(menu, kTextPersisted, kCommandPersisted);
  menu->addSeparator();
  AddCommand(menu, kTextMarkAllRead, kCommandMarkAllRead);
  AddCommand(menu, kTextMarkAllUnread, kCommandMarkAllUnread);
  menu->addSeparator();
  AddCommand(menu, kTextCopyToClipboard, kCommandCopyToClipboard);
  AddCommand(menu, kTextBlogIt, kCommandBlogIt);
  QMenu* memories = menu->addMenu(Text(kTextToMemories));
  AddCommand(memories, kTextNewMemoriesColumn, kCommandNewMemoriesColumn);
  if (memories_tree_) {
    const auto columns = memories_tree_->MemoriesColumns();
    if (!columns.empty()) memories->addSeparator();
    for (const std::shared_ptr<MemoriesColumn>& column : columns) {
      // The data of a memories entry is its column id, negated to keep it apart from commands.
      memories->addAction(ToQt(column->DisplayName()))->setData(-column->id);
    }
  }
  return menu;
}

void RecordsList::ShowRowMenu(const QPoint& position) {
  const QModelIndex index = view_->indexAt(position);
  if (!index.isValid()) return;
  if (index.row() != SelectedRow()) SelectRow(index.row());
  std::unique_ptr<QMenu> menu(actions_ ? actions_->BuildMenu(kRecordRowMenu, this)
                                       : BuildRowMenu());
  QAction* chosen = menu->exec(view_->viewport()->mapToGlobal(position));
  // The window's actions run their own handlers.
  if (chosen && !actions_) RunMenuChoice(chosen->data().toInt());
}

void RecordsList::RunMenuChoice(int command) {
  const RecordRef record = SelectedRecord();
  if (command < 0) {
    emit ToMemoriesRequest(-command, record);
  } else if (command == kCommandNewMemoriesColumn) {
    emit ToMemoriesRequest(0, record);
  } else if (command == kCommandBlogIt) {
    emit BlogItRequest(record, SelectedColumn());
  } else if (command == kCommandCopyToClipboard) {
    CopyToClipboard();
  } else if (ColumnOfShowCommand(command) >= 0) {
    ToggleHeaderColumn(command);
  } else {
    OnCommandKey(command);
  }
}

QMenu* RecordsList::BuildHeaderMenu() {
  auto* menu = new QMenu(this);
  menu->setObjectName("RecordsHeaderMenu377");
  const std::pair<int, int> entries[] = {{kTextShowTitle, kTitleColumn},
                                         {kTextShowReceived, kReceivedColumn},
                                         {kTextShowAuthor, kAuthorColumn},
                                         {kTextShowSubject, kSubjectColumn}};
  for (const auto& [text_id, column] : entries) {
    AddCommand(menu, text_id, ColumnInfo(column).show_command_id)->setCheckable(true);
  }
  return menu;
}

void RecordsList::ShowHeaderMenu(const QPoint& position) {
  std::unique_ptr<QMenu> menu(actions_ ? actions_->BuildMenu(kRecordsHeaderMenu, this)
                                       : BuildHeaderMenu());
  // Each entry is checked while its column is shown.
  for (QAction* action : menu->actions()) {
    const int column = ColumnOfShowCommand(action->data().toInt());
    if (column < 0) continue;
    action->setCheckable(true);
    action->setChecked(!view_->header()->isSectionHidden(column));
  }
  QAction* chosen = menu->exec(view_->header()->mapToGlobal(position));
  if (chosen && !actions_) RunMenuChoice(chosen->data().toInt());
}

}  // namespace tarsel::ui
