#pragma once

// The records list's Qt model: six columns over the current RecordsViewModel. The cells are read
// from the records when painted; nothing per row is stored here, so a row costs only what the
// view model and the view keep. Main thread only.

#include <QAbstractTableModel>
#include <QFont>

#include "settings/settings.h"
#include "view/records_view_model.h"

namespace tarsel::ui {

class RecordsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The plain-text description block under the title (empty when none).
  static constexpr int kDescriptionRole = Qt::UserRole + 1;

  explicit RecordsModel(QObject* parent = nullptr);

  // Replaces the rows (a model reset) and the settings the cells are drawn with.
  void SetView(RecordsViewModel view, const Settings& settings);
  // The settings only (fonts, descriptions); every row is redrawn.
  void SetSettings(const Settings& settings);
  const RecordsViewModel& view() const { return view_; }
  RecordsViewModel& view() { return view_; }
  const Settings& settings() const { return settings_; }
  const QFont& items_font() const { return items_font_; }
  const QFont& description_font() const { return description_font_; }

  // A row's marks changed: its cells are redrawn.
  void RowChanged(int row);
  void AllRowsChanged();
  void RemoveRecordRow(int row);
  // Orders the rows by one header column (a layout change; the caller restores the selection).
  void SortByColumn(int column, bool ascending);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  QVariant IconFor(int icon) const;
  void UpdateFonts();

  RecordsViewModel view_;
  Settings settings_;
  QFont items_font_;
  QFont bold_items_font_;
  QFont description_font_;
};

}  // namespace tarsel::ui
