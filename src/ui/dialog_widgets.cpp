#include "ui/dialog_widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>

#include "ui/qt_text.h"
#include "ui/translate_widgets.h"
#include "view/dialog_text_ids.h"

namespace tarsel::ui {

void ShowExclamation(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
  box.setObjectName(QStringLiteral("exclamation"));
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

bool AddColumnOrSayWhy(QWidget* parent, ColumnTree& tree, const std::shared_ptr<Column>& column,
                       ColumnGroup* group) {
  std::string message;
  if (tree.AddColumn(column, group, &message)) return true;
  ShowExclamation(parent, Text(kTextNotification), ToQt(message));
  return false;
}

QLineEdit* NewPasswordEdit(const char* object_name, const QString& accessible_name) {
  auto* edit = Named(new QLineEdit, object_name, accessible_name);
  edit->setEchoMode(QLineEdit::Password);
  return edit;
}

IntervalBox::IntervalBox(QWidget* parent) : QGroupBox(Text(kTextInterval), parent) {
  setObjectName(QStringLiteral("intervalBox"));
  SetControlId(this, kTextInterval);
  setAccessibleName(Text(kTextInterval));
  manual_ = Named(WithControlId(new QRadioButton(Text(kTextOnlyManualCheck)), kTextOnlyManualCheck),
                  "onlyManualCheck", Text(kTextOnlyManualCheck));
  every_ = Named(WithControlId(new QRadioButton(Text(kTextCheckEvery)), kTextCheckEvery),
                 "checkEvery", Text(kTextCheckEvery));
  custom_ = Named(WithControlId(new QRadioButton(Text(kTextCustom)), kTextCustom), "custom",
                  Text(kTextCustom));
  choices_ = Named(new QComboBox, "intervalChoices", Text(kTextCheckEvery));
  for (int id = kTextTenMinutes; id < kTextTenMinutes + static_cast<int>(kIntervalChoices.size());
       ++id)
    choices_->addItem(Text(id));
  custom_text_ = Named(new QLineEdit, "customInterval", Text(kTextCustom));
  custom_text_->setPlaceholderText(Text(kTextCustomHint));
  auto* buttons = new QButtonGroup(this);
  for (QRadioButton* button : {manual_, every_, custom_}) buttons->addButton(button);
  auto* layout = new QGridLayout(this);
  layout->addWidget(manual_, 0, 0, 1, 2);
  layout->addWidget(every_, 1, 0);
  layout->addWidget(choices_, 1, 1);
  layout->addWidget(custom_, 2, 0);
  layout->addWidget(custom_text_, 2, 1);
  connect(buttons, &QButtonGroup::buttonToggled, this, [this] { UpdateEnabled(); });
}

void IntervalBox::SetControls(const IntervalControls& controls) {
  manual_->setChecked(controls.kind == IntervalKind::kOnlyManual);
  every_->setChecked(controls.kind == IntervalKind::kCheckEvery);
  custom_->setChecked(controls.kind == IntervalKind::kCustom);
  choices_->setCurrentIndex(controls.list_index);
  custom_text_->setText(ToQt(controls.custom_text));
  UpdateEnabled();
}

IntervalControls IntervalBox::Controls() const {
  IntervalControls controls;
  controls.kind = every_->isChecked()    ? IntervalKind::kCheckEvery
                  : custom_->isChecked() ? IntervalKind::kCustom
                                         : IntervalKind::kOnlyManual;
  controls.list_index = choices_->currentIndex();
  controls.custom_text = FromQt(custom_text_->text());
  return controls;
}

void IntervalBox::UpdateEnabled() {
  choices_->setEnabled(every_->isChecked());
  custom_text_->setEnabled(custom_->isChecked());
}

ArchiveBox::ArchiveBox(QWidget* parent) : QGroupBox(Text(kTextArchiveSettings), parent) {
  setObjectName(QStringLiteral("archiveBox"));
  SetControlId(this, kTextArchiveSettings);
  setAccessibleName(Text(kTextArchiveSettings));
  enabled_ = Named(WithControlId(new QCheckBox(Text(kTextEnableArchiving)), kTextEnableArchiving),
                   "enableArchiving", Text(kTextEnableArchiving));
  by_count_ = Named(WithControlId(new QRadioButton(Text(kTextStoreLast)), kTextStoreLast),
                    "storeLast", Text(kTextStoreLast));
  by_days_ = Named(WithControlId(new QRadioButton(Text(kTextStoreForLast)), kTextStoreForLast),
                   "storeForLast", Text(kTextStoreForLast));
  count_ = Named(new QLineEdit, "storeLastCount", Text(kTextRecords));
  days_ = Named(new QLineEdit, "storeForLastDays", Text(kTextDays));
  auto* buttons = new QButtonGroup(this);
  buttons->addButton(by_count_);
  buttons->addButton(by_days_);
  auto* layout = new QGridLayout(this);
  layout->addWidget(enabled_, 0, 0, 1, 3);
  layout->addWidget(by_count_, 1, 0);
  layout->addWidget(count_, 1, 1);
  layout->addWidget(WithControlId(new QLabel(Text(kTextRecords)), kTextRecords), 1, 2);
  layout->addWidget(by_days_, 2, 0);
  layout->addWidget(days_, 2, 1);
  layout->addWidget(WithControlId(new QLabel(Text(kTextDays)), kTextDays), 2, 2);
}

void ArchiveBox::SetControls(const ArchiveControls& controls) {
  enabled_->setChecked(controls.enabled);
  by_count_->setChecked(controls.by_count);
  by_days_->setChecked(!controls.by_count);
  count_->setText(ToQt(controls.count_text));
  days_->setText(ToQt(controls.days_text));
}

ArchiveControls ArchiveBox::Controls() const {
  return {enabled_->isChecked(), by_count_->isChecked(), FromQt(count_->text()),
          FromQt(days_->text())};
}

}  // namespace tarsel::ui
