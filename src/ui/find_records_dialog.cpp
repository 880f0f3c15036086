#include "ui/find_records_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "ui/qt_text.h"
#include "ui/translate_widgets.h"
#include "view/dialog_ids.h"
#include "view/records_view_model_texts.h"

namespace tarsel::ui {
namespace {

constexpr int kFieldTextIds[] = {kTextAllFields, kTextAnyFields, kTextFieldTitle, kTextItemContent,
                                 kTextFieldLink};

QCheckBox* AddCheckBox(QVBoxLayout* layout, int text_id, bool checked, const char* name) {
  auto* box = WithControlId(new QCheckBox(Text(text_id)), text_id);
  box->setObjectName(name);
  box->setAccessibleName(Text(text_id));
  box->setChecked(checked);
  layout->addWidget(box);
  return box;
}

}  // namespace

FindRecordsDialog::FindRecordsDialog(const SearchChoices& previous, QWidget* parent)
    : QDialog(parent) {
  setObjectName("FindRecordsDialog409");
  setWindowTitle(Text(kTextFindRecords));
  setAccessibleName(Text(kTextFindRecords));

  field_ = new QComboBox;
  field_->setObjectName("FindField");
  field_->setAccessibleName(Text(kTextFindField));
  for (size_t i = 0; i < std::size(kFieldTextIds); ++i) {
    field_->addItem(Text(kFieldTextIds[i]), kSearchFieldOrder[i]);
  }
  field_->setCurrentIndex(std::max(field_->findData(previous.field), 0));
  condition_ = new QComboBox;
  condition_->setObjectName("FindCondition");
  condition_->setAccessibleName(Text(kTextFindCondition));
  condition_->addItem(Text(kTextContains), kFilterContains);
  condition_->addItem(Text(kTextNotContains), kFilterNotContains);
  condition_->setCurrentIndex(std::max(condition_->findData(previous.condition), 0));
  text_ = new QLineEdit(ToQt(previous.text));
  text_->setObjectName("FindText");
  text_->setAccessibleName(Text(kTextFindText));

  auto* where = WithControlId(new QLabel(Text(kTextFindItemsWhere)), kTextFindItemsWhere);
  where->setTextFormat(Qt::PlainText);
  auto* row = new QGridLayout;
  row->addWidget(where, 0, 0, 1, 3);
  row->addWidget(field_, 1, 0);
  row->addWidget(condition_, 1, 1);
  row->addWidget(text_, 1, 2);
  row->setColumnStretch(2, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  unread_only_ = AddCheckBox(layout, kTextOnlyUnread, previous.unread_only, "FindOnlyUnread");
  whole_word_ = AddCheckBox(layout, kTextWholeWord, previous.whole_word, "FindWholeWord");
  match_case_ = AddCheckBox(layout, kTextMatchCase, previous.match_case, "FindMatchCase");

  auto* buttons = new QDialogButtonBox;
  QPushButton* find = buttons->addButton(Text(kTextFind), QDialogButtonBox::AcceptRole);
  find->setObjectName("FindButton");
  find->setDefault(true);
  QPushButton* cancel = buttons->addButton(Text(kTextCancel), QDialogButtonBox::RejectRole);
  cancel->setObjectName("CancelButton");
  SetControlId(find, kTextFind);
  SetControlId(cancel, kTextCancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  TranslateDialog(this, dialog::kFindRecords);
  text_->setFocus();
  text_->selectAll();
  resize(480, sizeHint().height());
}

SearchChoices FindRecordsDialog::Choices() const {
  SearchChoices choices;
  choices.text = FromQt(text_->text());
  choices.field = field_->currentData().toInt();
  choices.condition = condition_->currentData().toInt();
  choices.whole_word = whole_word_->isChecked();
  choices.match_case = match_case_->isChecked();
  choices.unread_only = unread_only_->isChecked();
  return choices;
}

}  // namespace tarsel::ui
