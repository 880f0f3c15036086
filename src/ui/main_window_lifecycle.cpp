// The main window's life: the engine's signals, what a selection shows, the saved layout, and
// the closing steps.
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTimer>

#include "store/column.h"
#include "ui/columns_tree.h"
#include "ui/command_actions.h"
#include "ui/main_window.h"
#include "ui/notice_window.h"
#include "ui/qt_text.h"
#include "ui/quick_view_box.h"
#include "ui/record_view.h"
#include "ui/records_list.h"
#include "ui/settings_owner.h"
#include "ui/sound_player.h"
#include "ui/store_change_watch.h"
#include "ui/store_loader.h"
#include "ui/tab_area.h"
#include "ui/titled_pane.h"
#include "ui/tray_presence.h"
#include "ui/tree_model.h"
#include "ui/update_driver.h"
#include "update/update_notifications.h"
#include "view/command_ids.h"
#include "view/main_window_text.h"
#include "view/string_table.h"
#include "view/text_format.h"
#include "view/tree_labels.h"
#include "view/window_placement.h"

namespace tarsel::ui {

void MainWindow::ConnectUpdates() {
  UpdateQueueHooks hooks;
  // The idle save, when something may have changed; a failure is told at exit, when the user
  // can still act on it.
  store_watch_ = new StoreChangeWatch(data_.columns, this);
  hooks.save_columns = [this] {
    if (store_watch_->Changed() && SaveColumns(data_)) store_watch_->MarkSaved();
  };
  auto services = std::make_shared<UpdateServices>();
  services->notice = tray_->notice();
  services->sound = tray_->sound();
  services->settings = &SettingsOwner::Snapshot;
  services->notice_line = [](const std::string& column_name, int32_t new_count) {
    return FillText(FillNumber(GetText(kNoticeLineTextId), new_count), column_name);
  };
  updates_ = new UpdateDriver(data_.columns, services, hooks, this);
  connect(updates_, &UpdateDriver::ColumnChanged, this, &MainWindow::OnColumnChanged);
  connect(updates_, &UpdateDriver::ColumnUpdated, this, [this](Column* column) {
    store_watch_->NoteUpdateDone();
    // The list is rebuilt when it shows the column, a group above it, or a quick view.
    bool shown = !shown_node_;
    for (const TreeNode* node = column; node != nullptr && !shown; node = node->parent) {
      shown = node == shown_node_.get();
    }
    if (!shown) return;
    records_list_->Refresh();
    // The channel's description, which the caption shows, may have come with the update.
    records_pane_->SetTitle(records_list_->Caption());
  });
  connect(updates_, &UpdateDriver::QueueStatus, this,
          [this](int running, int waiting, const QString& status, const QString& tooltip) {
            updating_pane_->setText(Text(text::kUpdatingPane) + ' ' + QString::number(running));
            waiting_pane_->setText(Text(text::kWaitingPane) + ' ' + QString::number(waiting));
            waiting_pane_->setToolTip(status);
            emit QueueStatusChanged(tooltip);
          });
  connect(updates_, &UpdateDriver::AnimationChanged, this, &MainWindow::UpdateAnimationChanged);
  connect(updates_, &UpdateDriver::MessageRequested, this, &MainWindow::ShowMessage);
}

void MainWindow::OnColumnChanged(Column* column) {
  if (column != nullptr) columns_model_->NodeChanged(*column);
}

void MainWindow::ShowNode(const TreeNodeRef& node) {
  quick_views_->ClearChoice();
  if (node == shown_node_) return;
  shown_node_ = node;
  records_list_->ShowNode(node);
  records_pane_->SetTitle(ToQt(RecordsPaneCaption(node.get())));
  tabs_->setCurrentIndex(0);
}

void MainWindow::ShowQuickView(int index) {
  // A quick view replaces the node's records until a node is chosen again.
  shown_node_ = nullptr;
  records_list_->ShowQuickView(index);
  records_pane_->SetTitle(records_list_->Caption());
  tabs_->setCurrentIndex(0);
}

void MainWindow::ShowRecordsOf(const TreeNodeRef&) {
  records_list_->Refresh();
}

void MainWindow::RestoreLayout() {
  const Settings& settings = settings_->Get();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QSize size = screen->size();
    if (const auto placement = UsablePlacement(settings.placement, size.width(), size.height())) {
      setGeometry(placement->left, placement->top, placement->right - placement->left,
                  placement->bottom - placement->top);
      if (placement->show_command == kShowMaximized) showMaximized();
    }
  }
  auto place = [](QSplitter* splitter, int first) {
    const QList<int> sizes = splitter->sizes();
    int total = 0;
    for (int size : sizes) total += size;
    if (sizes.size() == 2 && total > 0 && first > 0)
      splitter->setSizes({first, std::max(1, total - first)});
  };
  place(main_splitter_, settings.columntreepos);
  place(left_splitter_, settings.memories_position);
  place(items_splitter_, settings.columnitemspos);
  RestoreSelection();
}

void MainWindow::RestoreSelection() {
  if (TreeNodeRef last = data_.columns.FindById(settings_->Get().lastid)) {
    columns_tree_->SelectNode(last.get());
  }
  columns_tree_->setFocus();
}

void MainWindow::StartUpdates() {
  updates_->Start(settings_->Get().last_version_check);
}

void MainWindow::ReportDamagedFiles() {
  if (data_.damaged_files.empty()) return;
  PreserveDamagedFiles(data_);
  for (const std::string& name : data_.damaged_files) {
    ShowMessage(Text(text::kNotificationCaption),
                ToQt(FillText(GetText(text::kStoreDamaged), data_.data_folder + "/" + name)));
  }
}

void MainWindow::StoreWindowState() {
  settings_->Record([this](Settings& settings) { StoreWindowStateInto(settings); });
}

void MainWindow::StoreWindowStateInto(Settings& settings) const {
  WindowPlacement placement = kDefaultPlacement;
  placement.show_command = isMaximized()   ? kShowMaximized
                           : isMinimized() ? kShowMinimized
                                           : kShowNormal;
  const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
  placement.left = normal.left();
  placement.top = normal.top();
  placement.right = normal.left() + normal.width();
  placement.bottom = normal.top() + normal.height();
  settings.placement = FormatPlacement(placement);
  // A hidden pane keeps the position it had.
  if (left_side_->isVisible()) settings.columntreepos = main_splitter_->sizes().value(0);
  if (memories_pane_->isVisible()) settings.memories_position = left_splitter_->sizes().value(0);
  settings.columnitemspos = items_splitter_->sizes().value(0);
  const TreeNodeRef current = columns_tree_->CurrentNode();
  settings.lastid = current ? current->id : -1;
}

bool MainWindow::SaveWithRetry(bool (*save)(ProgramData&), const char* file_name) {
  while (!save(data_)) {
    const QString message =
        ToQt(FillText(GetText(text::kSaveFailed), data_.data_folder + "/" + file_name));
    if (prompt_ != nullptr) {
      if (prompt_->AskYesNo(FromQt(Text(text::kSaveFailedCaption)), FromQt(message))) continue;
      return false;
    }
    QMessageBox box(QMessageBox::Warning, Text(text::kSaveFailedCaption), message,
                    QMessageBox::NoButton, this);
    box.setTextFormat(Qt::PlainText);
    QPushButton* retry = box.addButton(Text(text::kRetry), QMessageBox::AcceptRole);
    box.addButton(Text(text::kQuit), QMessageBox::RejectRole);
    box.exec();
    if (box.clickedButton() != retry) return false;
  }
  return true;
}

void MainWindow::RunClosingSteps(CloseReason reason) {
  if (closing_done_) return;
  closing_done_ = true;
  if (store_loader_ != nullptr) store_loader_->Finish();
  for (ClosingStep step : ClosingOrder(reason)) {
    switch (step) {
      case ClosingStep::kSaveColumnWidths:
        records_list_->SaveColumnWidths();
        break;
      case ClosingStep::kSaveSettings:
        StoreWindowState();
        SaveWithRetry([](ProgramData& data) { return SaveProgramSettings(data); }, "settings.xml");
        break;
      case ClosingStep::kSaveColumns:
        SaveWithRetry(&SaveColumns, "columns.dat");
        break;
      case ClosingStep::kSaveMemories:
        SaveWithRetry(&SaveMemories, "memories.dat");
        break;
      case ClosingStep::kStopUpdates:
        updates_->Stop();
        break;
      case ClosingStep::kCloseTabs:
        tabs_->CloseAllTabs();
        break;
    }
  }
}

void MainWindow::ExitProgram() {
  exiting_ = true;
  close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!exiting_ && !closing_done_ && settings_->Get().minimize_on_close && tray_present_) {
    // The close box only hides the window to the tray.
    event->ignore();
    showMinimized();
    return;
  }
  RunClosingSteps(CloseReason::kWindowClosed);
  event->accept();
  QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

}  // namespace tarsel::ui
