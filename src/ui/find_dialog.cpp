#include "ui/find_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt_text.h"
#include "view/page_find.h"
#include "view/record_pane_strings.h"

namespace tarsel::ui {

FindDialog::FindDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FindDialog"));
  setWindowTitle(Text(kTextFindCaption));
  setAccessibleName(Text(kTextFindCaption));
  setModal(false);

  auto* label = new QLabel(Text(kTextFindWhat));
  text_ = new QLineEdit;
  text_->setObjectName(QStringLiteral("FindText"));
  text_->setAccessibleName(Text(kTextFindWhat).remove(u'&'));
  text_->setMaxLength(kFindTextLimit);
  label->setBuddy(text_);
  whole_word_ = new QCheckBox(Text(kTextFindWholeWord));
  whole_word_->setObjectName(QStringLiteral("FindWholeWord"));
  whole_word_->setAccessibleName(Text(kTextFindWholeWord).remove(u'&'));
  match_case_ = new QCheckBox(Text(kTextFindMatchCase));
  match_case_->setObjectName(QStringLiteral("FindMatchCase"));
  match_case_->setAccessibleName(Text(kTextFindMatchCase).remove(u'&'));
  find_next_ = new QPushButton(Text(kTextFindNext));
  find_next_->setObjectName(QStringLiteral("FindNext"));
  find_next_->setAccessibleName(Text(kTextFindNext).remove(u'&'));
  find_next_->setDefault(true);
  find_next_->setEnabled(false);
  auto* cancel = new QPushButton(Text(kTextFindCancel));
  cancel->setObjectName(QStringLiteral("FindCancel"));
  cancel->setAccessibleName(Text(kTextFindCancel));

  auto* layout = new QGridLayout(this);
  layout->addWidget(label, 0, 0);
  layout->addWidget(text_, 0, 1);
  layout->addWidget(find_next_, 0, 2);
  layout->addWidget(whole_word_, 1, 0, 1, 2);
  layout->addWidget(cancel, 1, 2);
  layout->addWidget(match_case_, 2, 0, 1, 2);

  connect(text_, &QLineEdit::textChanged, this,
          [this](const QString& text) { find_next_->setEnabled(!text.isEmpty()); });
  connect(find_next_, &QPushButton::clicked, this, [this] {
    if (!text_->text().isEmpty()) emit FindNextRequested(FindText(), MatchCase(), WholeWord());
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::close);
}

QString FindDialog::FindText() const {
  return text_->text();
}
bool FindDialog::MatchCase() const {
  return match_case_->isChecked();
}
bool FindDialog::WholeWord() const {
  return whole_word_->isChecked();
}

void FindDialog::SetSearch(const QString& text, bool match_case, bool whole_word) {
  text_->setText(text);
  text_->selectAll();
  match_case_->setChecked(match_case);
  whole_word_->setChecked(whole_word);
}

}  // namespace tarsel::ui
