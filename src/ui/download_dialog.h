#pragma once

// The modal "Downloading file" dialog: a progress bar, the status text and Cancel over a
// ListDownload worker. Cancel ends the dialog at once; the worker is abandoned and stops on its
// own. Main thread.

#include <QDialog>
#include <memory>
#include <string>

#include "view/list_download.h"

class QLabel;
class QProgressBar;
class QTimer;

namespace tarsel::ui {

class DownloadDialog : public QDialog {
  Q_OBJECT

 public:
  DownloadDialog(std::string url, std::string path, ListDownload::ConnectionTest connection_test,
                 QWidget* parent = nullptr);
  // Starts the download with the dialog; Accepted when the file was written.
  int exec() override;
  void reject() override;
  QString StatusText() const;
  // The user ended the dialog (Cancel, Escape, closing it).
  bool Cancelled() const { return cancelled_; }

 private:
  void Poll();

  ListDownload download_;
  QProgressBar* bar_ = nullptr;
  QLabel* status_ = nullptr;
  QTimer* timer_ = nullptr;
  bool cancelled_ = false;
};

// Downloads `url` into `path` under the dialog. When the download fails (not when the user
// cancels), shows "An Error occured while downloading form" with the URL under the title
// "error". True when the file was written.
bool DownloadListFile(QWidget* parent, const std::string& url, const std::string& path,
                      ListDownload::ConnectionTest connection_test = {});

}  // namespace tarsel::ui
