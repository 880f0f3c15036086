#include "ui/filters_page.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/dialog_widgets.h"
#include "ui/qt_text.h"
#include "view/column_properties.h"
#include "view/dialog_text_ids.h"

namespace tarsel::ui {

namespace {

QComboBox* NewList(const char* object_name, const QString& accessible_name,
                   std::initializer_list<int> text_ids) {
  auto* box = Named(new QComboBox, object_name, accessible_name);
  for (int id : text_ids) box->addItem(Text(id));
  return box;
}

}  // namespace

FilterPropertiesDialog::FilterPropertiesDialog(const FilterRule& rule, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("FilterPropertiesDialog"));
  setWindowTitle(Text(kTextFilterProperties));
  setAccessibleName(Text(kTextFilterProperties));
  field_ = NewList(
      "filterField", Text(kTextIf),
      {kTextAllFields, kTextAnyFields, kTextFieldTitle, kTextFieldItemContent, kTextFieldLink});
  text_ = Named(new QLineEdit(ToQt(rule.text)), "filterText", Text(kTextFilterString));
  condition_ = NewList("filterCondition", Text(kTextContains), {kTextContains, kTextNotContains});
  action_ = NewList("filterAction", Text(kTextThen),
                    {kTextAcceptRecord, kTextDeclineRecord, kTextMarkRecordRead});
  field_->setCurrentIndex(FilterFieldPosition(rule.field));
  condition_->setCurrentIndex(rule.condition == kFilterNotContains ? 1 : 0);
  action_->setCurrentIndex(FilterActionFromPosition(rule.action));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(Text(kTextIf)), 0, 0);
  layout->addWidget(field_, 0, 1);
  layout->addWidget(condition_, 0, 2);
  layout->addWidget(text_, 0, 3);
  layout->addWidget(new QLabel(Text(kTextThen)), 1, 0);
  layout->addWidget(action_, 1, 1, 1, 3);
  layout->addWidget(buttons, 2, 0, 1, 4);
}

FilterRule FilterPropertiesDialog::Rule() const {
  FilterRule rule;
  rule.text = FromQt(text_->text());
  rule.field = FilterFieldFromPosition(field_->currentIndex());
  rule.condition = FilterConditionFromPosition(condition_->currentIndex());
  rule.action = FilterActionFromPosition(action_->currentIndex());
  return rule;
}

bool EditFilterRule(QWidget* parent, FilterRule& rule) {
  FilterPropertiesDialog dialog(rule, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  rule = dialog.Rule();
  return true;
}

FiltersPage::FiltersPage(std::vector<FilterRule> rules, QWidget* parent)
    : QWidget(parent), rules_(std::move(rules)) {
  setObjectName(QStringLiteral("filtersPage"));
  setAccessibleName(Text(kTextPageFilters));
  list_ = Named(new QListWidget, "filtersList", Text(kTextPageFilters));
  auto* buttons = new QVBoxLayout;
  const struct {
    int text_id;
    const char* name;
    void (FiltersPage::*slot)();
  } kButtons[] = {{kTextAdd, "addFilter", &FiltersPage::Add},
                  {kTextRemove, "removeFilter", &FiltersPage::Remove},
                  {kTextMoveUp, "moveFilterUp", &FiltersPage::MoveUp},
                  {kTextMoveDown, "moveFilterDown", &FiltersPage::MoveDown},
                  {kTextEdit, "editFilter", &FiltersPage::Edit}};
  for (const auto& button : kButtons) {
    auto* push = Named(new QPushButton(Text(button.text_id)), button.name, Text(button.text_id));
    connect(push, &QPushButton::clicked, this, button.slot);
    buttons->addWidget(push);
  }
  buttons->addStretch();
  connect(list_, &QListWidget::itemDoubleClicked, this, &FiltersPage::Edit);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
  Refill(0);
}

void FiltersPage::Refill(int select_row) {
  list_->clear();
  // A rule's text came from the user: plain list items never interpret it.
  for (const FilterRule& rule : rules_) list_->addItem(ToQt(FilterRuleText(rule)));
  if (select_row >= 0 && select_row < list_->count()) list_->setCurrentRow(select_row);
}

void FiltersPage::Add() {
  FilterRule rule;
  if (!EditFilterRule(this, rule)) return;
  rules_.push_back(rule);
  Refill(static_cast<int>(rules_.size()) - 1);
}

void FiltersPage::Remove() {
  const int row = list_->currentRow();
  if (RemoveFilter(rules_, row)) Refill(std::min(row, static_cast<int>(rules_.size()) - 1));
}

void FiltersPage::MoveUp() {
  const int row = list_->currentRow();
  if (MoveFilterUp(rules_, row)) Refill(row - 1);
}

void FiltersPage::MoveDown() {
  const int row = list_->currentRow();
  if (MoveFilterDown(rules_, row)) Refill(row + 1);
}

void FiltersPage::Edit() {
  const int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(rules_.size())) return;
  if (EditFilterRule(this, rules_[static_cast<size_t>(row)])) Refill(row);
}

}  // namespace tarsel::ui
