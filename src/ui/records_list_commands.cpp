// The records list's commands: marking, stepping through unread rows, deleting, copying, the
// row menu 369, the header menu 377 and Find RSS Items. Keys and menu entries are the window's
// command actions; the list binds the handlers of the commands that act on it alone.
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QTimer>
#include <memory>

#include "ui/command_actions.h"
#include "ui/find_records_dialog.h"
#include "ui/qt_text.h"
#include "ui/records_list.h"
#include "ui/records_list_view.h"
#include "ui/records_model.h"
#include "view/command_ids.h"
#include "view/command_table.h"
#include "view/record_operations.h"
#include "view/record_title_text.h"
#include "view/records_list_cells.h"
#include "view/records_view_model_texts.h"

namespace tarsel::ui {

void RecordsList::BindCommands() {
  actions_.AttachKeys(view_, KeyScope::kRecordsList);
  actions_.Bind(cmd::kMarkItemRead, [this] { MarkItemRead(); });
  actions_.Bind(cmd::kMarkItemUnread, [this] { MarkItemUnread(); });
  actions_.Bind(cmd::kTogglePersisted, [this] { TogglePersisted(); });
  actions_.Bind(cmd::kNextUnread, [this] { NextUnread(); });
  actions_.Bind(cmd::kPrevUnread, [this] { PrevUnread(); });
  actions_.Bind(cmd::kCopyToClipboard, [this] { CopyToClipboard(); });
  actions_.Bind(cmd::kDeleteRecord, [this] { DeleteSelected(); });
  for (int id : {cmd::kShowTitle, cmd::kShowReceived, cmd::kShowAuthor, cmd::kShowSubject}) {
    actions_.Bind(id, [this, id] { ToggleHeaderColumn(id); });
  }
}

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

bool RecordsList::FindRecords() {
  FindRecordsDialog dialog(last_search_, this);
  if (dialog.exec() != QDialog::Accepted) return false;
  const SearchChoices choices = dialog.Choices();
  last_search_ = choices;
  if (choices.text.empty()) return false;
  ShowSearch(choices);
  return true;
}

void RecordsList::OnCellClicked(int row, int column) {
  if (column == kPersistenceColumn) ApplyMark(row, RecordMark::kPersistent);
}

void RecordsList::ShowRowMenu(const QPoint& position) {
  const QModelIndex index = view_->indexAt(position);
  if (!index.isValid()) return;
  if (index.row() != SelectedRow()) SelectRow(index.row());
  std::unique_ptr<QMenu> menu(actions_.BuildMenu(kRecordRowMenu, this));
  menu->exec(view_->viewport()->mapToGlobal(position));
}

void RecordsList::ShowHeaderMenu(const QPoint& position) {
  std::unique_ptr<QMenu> menu(actions_.BuildMenu(kRecordsHeaderMenu, this));
  // Each entry is checked while its column is shown.
  for (QAction* action : menu->actions()) {
    const int column = ColumnOfShowCommand(action->data().toInt());
    if (column < 0) continue;
    action->setChecked(!view_->header()->isSectionHidden(column));
  }
  menu->exec(view_->header()->mapToGlobal(position));
}

}  // namespace tarsel::ui
