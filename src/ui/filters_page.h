#pragma once

// The "Filters" page of the column properties and its "Filter Propertirs" dialog. The page edits
// a copy of the column's rules; the sheet writes them back on OK. Main thread.

#include <QDialog>
#include <QWidget>
#include <vector>

#include "store/filter_rule.h"

class QComboBox;
class QLineEdit;
class QListWidget;

namespace tarsel::ui {

// "If" field, text, condition, "then" action.
class FilterPropertiesDialog : public QDialog {
  Q_OBJECT

 public:
  FilterPropertiesDialog(const FilterRule& rule, QWidget* parent = nullptr);
  FilterRule Rule() const;

 private:
  QComboBox* field_ = nullptr;
  QLineEdit* text_ = nullptr;
  QComboBox* condition_ = nullptr;
  QComboBox* action_ = nullptr;
};

// Edits `rule` in the dialog; false when it was cancelled (the rule is then unchanged).
bool EditFilterRule(QWidget* parent, FilterRule& rule);

class FiltersPage : public QWidget {
  Q_OBJECT

 public:
  explicit FiltersPage(std::vector<FilterRule> rules, QWidget* parent = nullptr);
  const std::vector<FilterRule>& Rules() const { return rules_; }

 private:
  void Add();
  void Remove();
  void MoveUp();
  void MoveDown();
  void Edit();
  void Refill(int select_row);

  std::vector<FilterRule> rules_;
  QListWidget* list_ = nullptr;
};

}  // namespace tarsel::ui
