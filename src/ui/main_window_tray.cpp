// The main window's side of the tray icon, the pop-up notice and the update sound.
#include "ui/command_actions.h"
#include "ui/main_window.h"
#include "ui/tray_icon.h"
#include "ui/tray_minimizer.h"
#include "ui/tray_presence.h"
#include "ui/tree_model.h"
#include "view/command_ids.h"

namespace tarsel::ui {

void MainWindow::ConnectTray() {
  TrayIcon* tray = tray_->tray();
  connect(this, &MainWindow::QueueStatusChanged, tray, &TrayIcon::SetQueueText);
  connect(this, &MainWindow::UpdateAnimationChanged, tray, &TrayIcon::SetAnimation);
  // The close box leads into the tray only while the icon stands in one.
  connect(tray, &TrayIcon::InTrayChanged, this, &MainWindow::SetTrayPresent);
  actions_->Bind(cmd::kRestore, [this] { tray_->minimizer()->Restore(); });
  tray_->WatchUnread(columns_model_, [this] { return data_.columns.root().UnreadCount(); });
  tray->Show();
}

}  // namespace tarsel::ui
