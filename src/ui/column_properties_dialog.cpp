#include "ui/column_properties_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <mutex>

#include "parse/lists/found_feed_tree.h"
#include "ui/dialog_widgets.h"
#include "ui/filters_page.h"
#include "ui/qt_text.h"
#include "view/dialog_text_ids.h"

namespace tarsel::ui {

namespace {

QCheckBox* NewCheck(int text_id, const char* object_name, bool checked) {
  auto* box = Named(new QCheckBox(Text(text_id)), object_name, Text(text_id));
  box->setChecked(checked);
  return box;
}

QLineEdit* NewEdit(const std::string& text, const char* object_name, int label_id) {
  return Named(new QLineEdit(ToQt(text)), object_name, Text(label_id));
}

QDialogButtonBox* AddOkCancel(QDialog* dialog, QLayout* layout) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->setObjectName(QStringLiteral("dialogButtons"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  layout->addWidget(buttons);
  return buttons;
}

// A path field with a "Browse..." button that picks a file.
QWidget* PathRow(QLineEdit* edit, const char* button_name, bool save) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* browse = Named(new QPushButton(Text(kTextBrowse)), button_name, Text(kTextBrowse));
  QObject::connect(browse, &QPushButton::clicked, row, [edit, save] {
    const QString path = save ? QFileDialog::getSaveFileName(edit, QString(), edit->text())
                              : QFileDialog::getOpenFileName(edit, QString(), edit->text());
    if (!path.isEmpty()) edit->setText(path);
  });
  layout->addWidget(edit, 1);
  layout->addWidget(browse);
  return row;
}

}  // namespace

ColumnPropertiesDialog::ColumnPropertiesDialog(const ColumnProperties& properties,
                                               const ColumnTree& tree, const Column* self,
                                               QWidget* parent)
    : QDialog(parent), tree_(tree), self_(self), previous_interval_(properties.update_interval) {
  setObjectName(QStringLiteral("ColumnPropertiesDialog"));
  const int title = self == nullptr ? kTextNewRssColumn : kTextColumnProperties;
  setWindowTitle(Text(title));
  setAccessibleName(Text(title));
  pages_ = Named(new QTabWidget, "columnPropertiesPages", Text(title));
  pages_->addTab(NewFilePage(properties), Text(kTextPageFile));
  pages_->addTab(NewAlertPage(properties), Text(kTextPageAlert));
  filters_ = new FiltersPage(properties.filters);
  pages_->addTab(filters_, Text(kTextPageFilters));
  pages_->addTab(NewActionsPage(properties), Text(kTextPageActions));
  archive_ = new ArchiveBox;
  archive_->SetControls(ArchiveToControls(properties.archive));
  auto* archive_page = Named(new QWidget, "archivePage", Text(kTextPageArchive));
  auto* archive_layout = new QVBoxLayout(archive_page);
  archive_layout->addWidget(archive_);
  archive_layout->addStretch();
  pages_->addTab(archive_page, Text(kTextPageArchive));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  buttons_ = AddOkCancel(this, layout);
  lock_wait_ = new QTimer(this);
  lock_wait_->setInterval(50);
  connect(lock_wait_, &QTimer::timeout, this, &ColumnPropertiesDialog::AcceptWhenLocked);
  resize(460, 360);
}

QWidget* ColumnPropertiesDialog::NewFilePage(const ColumnProperties& properties) {
  auto* page = Named(new QWidget, "filePage", Text(kTextPageFile));
  name_ = NewEdit(properties.name, "columnName", kTextName);
  url_ = NewEdit(properties.url, "columnUrl", kTextColumnUrl);
  login_ = NewEdit(properties.login, "columnLogin", kTextLogin);
  password_ = NewPasswordEdit("columnPassword", Text(kTextPassword));
  password_->setText(ToQt(properties.password));
  use_title_ = NewCheck(kTextUseTitleFromRss, "useTitleFromRss", properties.use_title_from_rss);
  auto* form = new QFormLayout(page);
  form->addRow(Text(kTextName), name_);
  form->addRow(Text(kTextColumnUrl), url_);
  form->addRow(Text(kTextLogin), login_);
  form->addRow(Text(kTextPassword), password_);
  form->addRow(use_title_);
  return page;
}

QWidget* ColumnPropertiesDialog::NewAlertPage(const ColumnProperties& properties) {
  auto* page = Named(new QWidget, "alertPage", Text(kTextPageAlert));
  interval_ = new IntervalBox;
  interval_->SetControls(AlertIntervalControls(properties));
  update_on_start_ = NewCheck(kTextUpdateOnStart, "updateOnStart", properties.update_on_start);
  play_sound_ = NewCheck(kTextPlaySound, "playSound", properties.play_sound);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(interval_);
  layout->addWidget(update_on_start_);
  layout->addWidget(play_sound_);
  layout->addStretch();
  return page;
}

QWidget* ColumnPropertiesDialog::NewActionsPage(const ColumnProperties& properties) {
  auto* page = Named(new QWidget, "actionsPage", Text(kTextPageActions));
  auto_save_ = NewCheck(kTextAutoSave, "autoSave", properties.auto_save);
  auto_save_path_ = NewEdit(properties.auto_save_path, "autoSavePath", kTextAutoSave);
  run_program_ = NewCheck(kTextCallProgram, "runProgram", properties.run_program);
  program_path_ = NewEdit(properties.program_path, "programPath", kTextCallProgram);
  send_mail_ = NewCheck(kTextSendMail, "sendMail", properties.send_mail);
  include_body_ = NewCheck(kTextIncludeBody, "includeBody", properties.include_body);
  mail_address_ = NewEdit(properties.mail_address, "mailAddress", kTextTargetEmail);
  auto* form = new QFormLayout(page);
  form->addRow(auto_save_);
  form->addRow(PathRow(auto_save_path_, "browseAutoSave", true));
  form->addRow(run_program_);
  form->addRow(PathRow(program_path_, "browseProgram", false));
  form->addRow(send_mail_);
  form->addRow(include_body_);
  form->addRow(Text(kTextTargetEmail), mail_address_);
  return page;
}

ColumnProperties ColumnPropertiesDialog::Properties() const {
  ColumnProperties properties;
  properties.name = FromQt(name_->text());
  properties.url = FromQt(url_->text());
  properties.login = FromQt(login_->text());
  properties.password = FromQt(password_->text());
  properties.use_title_from_rss = use_title_->isChecked();
  properties.update_interval = IntervalFromControls(interval_->Controls(), previous_interval_);
  properties.update_on_start = update_on_start_->isChecked();
  properties.play_sound = play_sound_->isChecked();
  properties.filters = filters_->Rules();
  properties.auto_save = auto_save_->isChecked();
  properties.auto_save_path = FromQt(auto_save_path_->text());
  properties.run_program = run_program_->isChecked();
  properties.program_path = FromQt(program_path_->text());
  properties.send_mail = send_mail_->isChecked();
  properties.include_body = include_body_->isChecked();
  properties.mail_address = FromQt(mail_address_->text());
  properties.archive = ArchiveFromControls(archive_->Controls());
  return properties;
}

void ColumnPropertiesDialog::accept() {
  const std::string refusal = CheckColumnUrl(tree_, self_, FromQt(url_->text()));
  if (!refusal.empty()) {
    pages_->setCurrentIndex(0);
    url_->setFocus();
    ShowExclamation(this, Text(kTextNotification), ToQt(refusal));
    return;
  }
  AcceptWhenLocked();
}

void ColumnPropertiesDialog::AcceptWhenLocked() {
  if (accept_lock_.mutex() != nullptr && !accept_lock_.owns_lock() && !accept_lock_.try_lock()) {
    // A merge holds the column: the edits wait in the sheet, not in a frozen window.
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(false);
    setCursor(Qt::BusyCursor);
    lock_wait_->start();
    return;
  }
  lock_wait_->stop();
  unsetCursor();
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(true);
  QDialog::accept();
}

void ColumnPropertiesDialog::reject() {
  lock_wait_->stop();
  if (accept_lock_.owns_lock()) accept_lock_.unlock();
  QDialog::reject();
}

bool EditColumnProperties(QWidget* parent, const ColumnTree& tree, Column& column) {
  // A running update writes the URL and reads the filters under the column's lock; opening
  // the sheet never waits for it.
  ColumnProperties properties;
  {
    std::unique_lock lock(column.lock, std::try_to_lock);
    if (!lock.owns_lock()) {
      ShowExclamation(parent, Text(kTextColumnProperties), Text(kTextColumnBusy));
      return false;
    }
    properties = ReadColumnProperties(column);
  }
  ColumnPropertiesDialog dialog(properties, tree, &column, parent);
  dialog.LockOnAccept(column.lock);
  if (dialog.exec() != QDialog::Accepted) return false;
  const std::unique_lock<std::mutex> lock = dialog.TakeLock();
  return ApplyColumnProperties(dialog.Properties(), column);
}

std::shared_ptr<Column> NewRssColumn(QWidget* parent, ColumnTree& tree, ColumnGroup* group,
                                     const NewColumnDefaults& defaults) {
  auto column = std::make_shared<Column>(defaults);
  column->name = kImportedColumnName;
  ColumnPropertiesDialog dialog(ReadColumnProperties(*column), tree, nullptr, parent);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  ApplyColumnProperties(dialog.Properties(), *column);
  return AddColumnOrSayWhy(parent, tree, column, group) ? column : nullptr;
}

}  // namespace tarsel::ui
