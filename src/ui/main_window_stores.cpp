// The main window's side of stores read on a worker while it paints.
#include <QApplication>

#include "ui/columns_tree.h"
#include "ui/main_window.h"
#include "ui/store_change_watch.h"
#include "ui/store_loader.h"

namespace tarsel::ui {

void MainWindow::WaitForStores(StoreLoader* loader) {
  if (loader->Finished()) {
    OnStoresLoaded();
    return;
  }
  store_loader_ = loader;
  // Nothing may change the empty trees: what it added would be lost when the loaded ones come.
  // The greyed window and the busy cursor say it is loading, in any language.
  setEnabled(false);
  QApplication::setOverrideCursor(Qt::BusyCursor);
  connect(loader, &StoreLoader::Loaded, this, &MainWindow::OnStoresLoaded);
}

void MainWindow::OnStoresLoaded() {
  if (store_loader_ != nullptr) {
    store_loader_ = nullptr;
    QApplication::restoreOverrideCursor();
  }
  setEnabled(true);
  columns_tree_->Rebuild();
  memories_tree_->Rebuild();
  store_watch_->MarkSaved();  // the store as read is the store on the disk
  // The closing steps store the selection as the node of the last close.
  RestoreSelection();
  if (closing_done_) {
    // Loaded for the closing steps' saves: no message and no update any more.
    PreserveDamagedFiles(data_);
    return;
  }
  ReportDamagedFiles();
  StartUpdates();
}

}  // namespace tarsel::ui
