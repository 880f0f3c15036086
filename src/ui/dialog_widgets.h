#pragma once

// Small pieces the dialogs share: naming a control for tests and assistive technology, the
// exclamation message box, and the two boxes several dialogs show (the update interval and the
// archive choice). Main thread.

#include <QGroupBox>
#include <QString>
#include <memory>

#include "store/column.h"
#include "store/column_tree.h"
#include "view/dialog_fields.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace tarsel::ui {

// Sets the object name and the accessible name (the visible text when it has one).
template <typename Widget>
Widget* Named(Widget* widget, const char* object_name, const QString& accessible_name) {
  widget->setObjectName(QString::fromLatin1(object_name));
  widget->setAccessibleName(accessible_name);
  return widget;
}

// A message box with an exclamation icon and an OK button.
void ShowExclamation(QWidget* parent, const QString& title, const QString& text);

// Adds a new column to `tree` under `group` (the top when null) with the lowest free id; when
// another column has its address, says so ("Notification") and returns false.
bool AddColumnOrSayWhy(QWidget* parent, ColumnTree& tree, const std::shared_ptr<Column>& column,
                       ColumnGroup* group);

// A line edit for a password: its text is never shown in clear.
QLineEdit* NewPasswordEdit(const char* object_name, const QString& accessible_name);

// "Interval": "Only manual check", "Check every" with its list of five, "Custom" with an
// hh:mm:ss text. The list and the text are enabled only with their button.
class IntervalBox : public QGroupBox {
  Q_OBJECT

 public:
  explicit IntervalBox(QWidget* parent = nullptr);
  void SetControls(const IntervalControls& controls);
  IntervalControls Controls() const;

 private:
  void UpdateEnabled();
  QRadioButton* manual_ = nullptr;
  QRadioButton* every_ = nullptr;
  QRadioButton* custom_ = nullptr;
  QComboBox* choices_ = nullptr;
  QLineEdit* custom_text_ = nullptr;
};

// "Archive Settings": "Enable archiving", "Store last " N "records" or "Store records for
// last " N "days".
class ArchiveBox : public QGroupBox {
  Q_OBJECT

 public:
  explicit ArchiveBox(QWidget* parent = nullptr);
  void SetControls(const ArchiveControls& controls);
  ArchiveControls Controls() const;

 private:
  QCheckBox* enabled_ = nullptr;
  QRadioButton* by_count_ = nullptr;
  QRadioButton* by_days_ = nullptr;
  QLineEdit* count_ = nullptr;
  QLineEdit* days_ = nullptr;
};

}  // namespace tarsel::ui
