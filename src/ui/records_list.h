#pragma once

// The records list pane: the records of the selected column, group or memories column, of a
// quick view or of a search, one row each, with read, unread and persistent marking, stepping
// through unread rows, the read timer, deleting, the header's sorting, visibility and widths.
//
// Main thread only. The list reads the live settings from their owner at each refresh and
// changes its header entries (visibility, widths) through it. Its keys and its row and header
// menus are the window's commands (CommandActions), bound to the list's handlers at creation.
// Marks are made on the records the columns hold, so they reach columns.dat at its next save;
// every change is announced with CountsChanged. The owner sets the trees with SetColumnTree /
// SetMemoriesTree before showing quick views or searching.

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "store/column_tree.h"
#include "store/record.h"
#include "store/tree_node.h"
#include "view/record_operations.h"
#include "view/record_search.h"

class QTimer;

namespace tarsel::ui {

class CommandActions;
class RecordsDelegate;
class RecordsListView;
class RecordsModel;
class SettingsOwner;

class RecordsList : public QWidget {
  Q_OBJECT

 public:
  RecordsList(SettingsOwner& settings, CommandActions& actions, QWidget* parent = nullptr);
  ~RecordsList() override;

  // The trees the quick views and the search read, and whose memories columns the row menu
  // offers. Not owned; they must outlive the list or be reset to null first.
  void SetColumnTree(const ColumnTree* tree) { column_tree_ = tree; }
  void SetMemoriesTree(const ColumnTree* tree) { memories_tree_ = tree; }
  // How a persistent record's deletion is confirmed (tests answer without a dialog). The
  // default asks with a Yes/No warning box.
  void SetDeleteConfirmation(std::function<bool(const QString& text, const QString& caption)> ask);
  // The clock of the quick views (seconds since 1970).
  void SetClock(std::function<int32_t()> clock) { clock_ = std::move(clock); }

  // Shows the records of a column, group or memories column (null: nothing).
  void ShowNode(const TreeNodeRef& node);
  // Shows quick view `index` (0-9 of the quick-view list); a separator changes nothing.
  void ShowQuickView(int index);
  // Rebuilds the current view from the records and the settings.
  void Refresh();
  // The records pane caption of the current view.
  QString Caption() const;
  // Writes the six columns' widths into the settings' headers entries.
  void SaveColumnWidths();

  // For the owner and tests: the shown record (null when none) and its column.
  RecordRef SelectedRecord() const;
  std::shared_ptr<TreeNode> SelectedColumn() const;
  RecordsListView* view() const { return view_; }
  RecordsModel* model() const { return model_; }

 public slots:
  void MarkItemRead();
  void MarkItemUnread();
  void TogglePersisted();
  void MarkAllRead();
  void MarkAllUnread();
  void NextUnread();
  void PrevUnread();
  void DeleteSelected();
  void CopyToClipboard();
  // Find RSS Items (Ctrl+Shift+F): the dialog, then the search over every column. False when
  // the dialog was cancelled or nothing was asked: the list then shows what it showed.
  bool FindRecords();
  // Shows the search result of `choices` (what FindRecords does after the dialog).
  void ShowSearch(const SearchChoices& choices);
  // Commands 40248-40251: shows or hides a header column.
  void ToggleHeaderColumn(int command_id);

 signals:
  void RecordSelected(RecordRef record, std::shared_ptr<TreeNode> column);
  void CountsChanged(std::shared_ptr<TreeNode> column);
  void CaptionChanged(QString caption);

 private:
  struct NodeSource {
    std::weak_ptr<TreeNode> node;
  };
  struct QuickViewSource {
    int index;
  };
  using Source = std::variant<std::monostate, NodeSource, QuickViewSource, SearchChoices>;

  void BuildWidgets();
  void BindCommands();
  void SetUpHeader();
  void ApplyHeaderWidths();
  void ApplyHeaderVisibility();
  void FitPendingColumns();
  void ShowSource(Source source);
  void SelectRow(int row);
  int SelectedRow() const;
  void ScrollToStart();
  void OnCurrentRowChanged();
  void OnCellClicked(int row, int column);
  void OnHeaderClicked(int column);
  void ApplyMark(int row, RecordMark mark);
  void MarkAll(bool unread);
  void ShowRowMenu(const QPoint& position);
  void ShowHeaderMenu(const QPoint& position);
  void RestartReadTimer();
  // Selects `row` again after a rebuild without announcing it or touching the read timer.
  void KeepSelection(int row);

  RecordsListView* view_ = nullptr;
  RecordsModel* model_ = nullptr;
  RecordsDelegate* delegate_ = nullptr;
  QTimer* read_timer_ = nullptr;
  SettingsOwner& settings_;
  CommandActions& actions_;
  const ColumnTree* column_tree_ = nullptr;
  const ColumnTree* memories_tree_ = nullptr;
  std::function<bool(const QString&, const QString&)> confirm_delete_;
  std::function<int32_t()> clock_;
  Source source_;
  SearchChoices last_search_;
  // The record last announced with RecordSelected, so a re-selection of it is not announced.
  // Held, not pointed at: a freed record's address may come back for another record.
  RecordRef announced_;
  bool keeping_selection_ = false;
  std::vector<int> fit_pending_;  // columns to fit to the first records shown
  int sort_column_ = -1;
  bool sort_ascending_ = true;
};

}  // namespace tarsel::ui
