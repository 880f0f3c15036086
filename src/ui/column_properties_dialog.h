#pragma once

// The column properties sheet "RSS Column Properties" (pages "File", "Alert", "Filters",
// "Actions", "Archive"), the same sheet as "New RSS Column", the group dialogs "New Group" and
// "Group Properties", and the "Set " dialogs of a multiple selection. Main thread; the trees
// belong to the caller.

#include <QDialog>
#include <memory>
#include <mutex>
#include <vector>

#include "store/column_tree.h"
#include "view/column_properties.h"

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;
class QTabWidget;
class QTimer;

namespace tarsel::ui {

class ArchiveBox;
class FiltersPage;
class IntervalBox;

class ColumnPropertiesDialog : public QDialog {
  Q_OBJECT

 public:
  // `tree` and `self` serve the URL check on OK (self: the column being edited, null for a new
  // one).
  ColumnPropertiesDialog(const ColumnProperties& properties, const ColumnTree& tree,
                         const Column* self, QWidget* parent = nullptr);
  ColumnProperties Properties() const;
  QTabWidget* pages() const { return pages_; }

  // Refuses an unusable or duplicate URL with a message and keeps the sheet open. With a lock
  // given, the sheet closes only once it holds that lock: while a merge has it, the sheet
  // stays open with the user's edits, OK disabled, and looks again every 50 ms (the window
  // stays responsive; Cancel still closes it).
  void accept() override;
  void reject() override;

  // The column's lock, for OK to take before the sheet closes.
  void LockOnAccept(std::mutex& lock) { accept_lock_ = std::unique_lock(lock, std::defer_lock); }
  // After OK: the lock taken (moved out to the caller, who applies the edits under it).
  std::unique_lock<std::mutex> TakeLock() { return std::move(accept_lock_); }

 private:
  QWidget* NewFilePage(const ColumnProperties& properties);
  QWidget* NewAlertPage(const ColumnProperties& properties);
  QWidget* NewActionsPage(const ColumnProperties& properties);
  // OK once the lock given to LockOnAccept is held.
  void AcceptWhenLocked();

  const ColumnTree& tree_;
  const Column* self_;
  QTabWidget* pages_ = nullptr;
  QLineEdit* name_ = nullptr;
  QLineEdit* url_ = nullptr;
  QLineEdit* login_ = nullptr;
  QLineEdit* password_ = nullptr;
  QCheckBox* use_title_ = nullptr;
  IntervalBox* interval_ = nullptr;
  QCheckBox* update_on_start_ = nullptr;
  QCheckBox* play_sound_ = nullptr;
  FiltersPage* filters_ = nullptr;
  QCheckBox* auto_save_ = nullptr;
  QLineEdit* auto_save_path_ = nullptr;
  QCheckBox* run_program_ = nullptr;
  QLineEdit* program_path_ = nullptr;
  QCheckBox* send_mail_ = nullptr;
  QCheckBox* include_body_ = nullptr;
  QLineEdit* mail_address_ = nullptr;
  ArchiveBox* archive_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
  QTimer* lock_wait_ = nullptr;
  std::unique_lock<std::mutex> accept_lock_;
  int32_t previous_interval_ = 0;
};

// Opens the sheet for `column`. True when the change needs the column's tree line and the
// records view refreshed. A column being updated is edited only when its lock is free at the
// moment the sheet opens (otherwise a message says so); on OK the edits wait for a merge in
// progress to end and are then applied, never dropped.
bool EditColumnProperties(QWidget* parent, const ColumnTree& tree, Column& column);

// "New RSS Column": the same sheet for a new column with `defaults`; on OK the column gets the
// lowest free id and is added under `group` (the top level when null). Null when cancelled.
std::shared_ptr<Column> NewRssColumn(QWidget* parent, ColumnTree& tree, ColumnGroup* group,
                                     const NewColumnDefaults& defaults);

// "Group Properties": renames the group. True when the name changed.
bool EditGroupProperties(QWidget* parent, ColumnGroup& group);
// "New Group": a group named in the dialog, under `group` (the top level when null), with the
// lowest free id. Null when cancelled.
std::shared_ptr<ColumnGroup> NewColumnGroup(QWidget* parent, ColumnTree& tree, ColumnGroup* group);

// "Set " -> "Update Interval" and "Archiving": one page applied to every column of the
// selection that is not busy. Return how many columns changed (0 when cancelled).
int SetUpdateIntervalOfColumns(QWidget* parent,
                               const std::vector<std::shared_ptr<Column>>& columns);
int SetArchivingOfColumns(QWidget* parent, const std::vector<std::shared_ptr<Column>>& columns);

}  // namespace tarsel::ui
