#pragma once

// "Import RSS Feeds": the offered feeds in a checkable list (title, description, site address),
// a filter over them, "Select All" and "Deselect All". OK gives the checked feeds. The list is a
// model over the feeds, so tens of thousands of entries open and filter at once. Feed texts are
// shown as plain text. Main thread.

#include <QAbstractTableModel>
#include <QDialog>
#include <vector>

#include "parse/lists/found_feed_tree.h"
#include "parse/lists/import_choices.h"

class QComboBox;
class QLineEdit;
class QTableView;

namespace tarsel::ui {

class FoundFeedsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit FoundFeedsModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
  // Shows `feeds`, all unchecked.
  void SetFeeds(FoundFeedList feeds);
  void CheckAll(bool checked);
  // The checked feeds in list order.
  FoundFeedList Checked() const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  FoundFeedList feeds_;
  std::vector<char> checked_;
};

class ImportFeedsDialog : public QDialog {
  Q_OBJECT

 public:
  ImportFeedsDialog(const FoundFeedTree& list, QWidget* parent = nullptr);
  FoundFeedList Chosen() const { return model_->Checked(); }
  FoundFeedsModel* model() const { return model_; }
  // "Filter!": re-fills the list with the entries the chosen field and text keep.
  void ApplyFilter();

 private:
  FoundFeedList all_;
  FoundFeedFilter current_filter_ = FoundFeedFilter::kNoFilter;
  FoundFeedsModel* model_ = nullptr;
  QTableView* view_ = nullptr;
  QComboBox* filter_field_ = nullptr;
  QLineEdit* filter_text_ = nullptr;
};

// Shows the dialog for `list` and makes a column for each chosen feed at the top of `tree`; a
// duplicate address shows the "There is aready rss column with such URL" message and creates
// nothing for that feed. Returns how many columns were created.
int ImportFoundFeeds(QWidget* parent, ColumnTree& tree, const FoundFeedTree& list,
                     const NewColumnDefaults& defaults);

}  // namespace tarsel::ui
