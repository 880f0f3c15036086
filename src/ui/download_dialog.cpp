#include "ui/download_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/dialog_widgets.h"
#include "ui/qt_text.h"
#include "ui/settings_owner.h"
#include "ui/translate_widgets.h"
#include "update/update_options.h"
#include "view/dialog_ids.h"
#include "view/dialog_text_ids.h"
#include "view/string_table.h"

namespace tarsel::ui {

namespace {
constexpr int kPollMilliseconds = 100;
}  // namespace

DownloadDialog::DownloadDialog(std::string url, std::string path,
                               ListDownload::ConnectionTest connection_test, QWidget* parent)
    : QDialog(parent),
      download_(std::move(url), std::move(path), HttpOptionsForSettings(*SettingsOwner::Snapshot()),
                std::move(connection_test)) {
  setObjectName(QStringLiteral("DownloadDialog"));
  setWindowTitle(Text(kTextDownloadingFile));
  setAccessibleName(Text(kTextDownloadingFile));
  bar_ = Named(new QProgressBar, "downloadProgress", Text(kTextDownloadingFile));
  bar_->setRange(0, 100);
  bar_->setValue(0);
  status_ = Named(new QLabel(ToQt(ListDownloadStatusText({}))), "downloadStatus",
                  Text(kTextDownloadingFile));
  status_->setTextFormat(Qt::PlainText);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
  buttons->setObjectName(QStringLiteral("dialogButtons"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(bar_);
  layout->addWidget(status_);
  layout->addWidget(buttons);
  TranslateDialog(this, dialog::kDownloadingFile);
  resize(380, sizeHint().height());
  timer_ = new QTimer(this);
  connect(timer_, &QTimer::timeout, this, &DownloadDialog::Poll);
}

int DownloadDialog::exec() {
  if (!download_.Start()) return QDialog::Rejected;
  timer_->start(kPollMilliseconds);
  return QDialog::exec();
}

void DownloadDialog::reject() {
  cancelled_ = true;
  download_.Cancel();
  timer_->stop();
  QDialog::reject();
}

QString DownloadDialog::StatusText() const {
  return status_->text();
}

void DownloadDialog::Poll() {
  const ListDownloadProgress progress = download_.Snapshot();
  bar_->setValue(ListDownloadPercent(progress));
  status_->setText(ToQt(ListDownloadStatusText(progress)));
  if (!progress.finished) return;
  timer_->stop();
  if (progress.succeeded) {
    accept();
  } else {
    QDialog::reject();
  }
}

bool DownloadListFile(QWidget* parent, const std::string& url, const std::string& path,
                      ListDownload::ConnectionTest connection_test) {
  DownloadDialog dialog(url, path, std::move(connection_test), parent);
  if (dialog.exec() == QDialog::Accepted) return true;
  if (!dialog.Cancelled()) {
    ShowExclamation(parent, Text(kTextError), ToQt(GetText(kTextDownloadFailed) + url));
  }
  return false;
}

}  // namespace tarsel::ui
