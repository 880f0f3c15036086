#pragma once

// Dialog 409 "Find RSS Items": where to look (field and condition), the text, and the options
// "Look only in unread items", "Match Whole Word" and "Match Case". It opens with the previous
// search's choices. Main thread only.

#include <QDialog>

#include "view/record_search.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tarsel::ui {

class FindRecordsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FindRecordsDialog(const SearchChoices& previous, QWidget* parent = nullptr);

  // What the dialog holds now (the text in the program's code page).
  SearchChoices Choices() const;

 private:
  QComboBox* field_ = nullptr;
  QComboBox* condition_ = nullptr;
  QLineEdit* text_ = nullptr;
  QCheckBox* unread_only_ = nullptr;
  QCheckBox* whole_word_ = nullptr;
  QCheckBox* match_case_ = nullptr;
};

}  // namespace tarsel::ui
