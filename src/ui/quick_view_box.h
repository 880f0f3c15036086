#pragma once

// The toolbar's quick-view list (control 1202, 220 pixels wide): the eight quick views by their
// captions, with separators at positions 3 and 7. Choosing a view announces its position;
// separators cannot be chosen. Main thread only.

#include <QComboBox>

namespace tarsel::ui {

class QuickViewBox : public QComboBox {
  Q_OBJECT

 public:
  explicit QuickViewBox(QWidget* parent = nullptr);

  // Shows `index` as chosen without announcing it (a quick view applied by its key).
  void SelectQuickView(int index);
  // No entry chosen (a tree node was selected).
  void ClearChoice();

 signals:
  void QuickViewChosen(int index);
};

}  // namespace tarsel::ui
