#include "ui/quick_view_box.h"

#include "ui/qt_text.h"
#include "view/quick_views.h"
#include "view/records_view_model_texts.h"

namespace tarsel::ui {

constexpr int kQuickViewBoxWidth = 220;

QuickViewBox::QuickViewBox(QWidget* parent) : QComboBox(parent) {
  setObjectName("QuickViewBox1202");
  setAccessibleName(Text(kTextQuickViewsName));
  setFixedWidth(kQuickViewBoxWidth);
  setFocusPolicy(Qt::ClickFocus);
  for (int position = 0; position < kQuickViewCount; ++position) {
    if (IsQuickViewSeparator(position)) {
      insertSeparator(position);
    } else {
      addItem(Text(QuickViewCaptionId(position)));
    }
  }
  setCurrentIndex(-1);
  connect(this, &QComboBox::activated, this, [this](int index) {
    if (IsQuickViewSeparator(index) || QuickViewCaptionId(index) == 0) return;
    emit QuickViewChosen(index);
  });
}

void QuickViewBox::SelectQuickView(int index) {
  if (QuickViewCaptionId(index) == 0) return;
  setCurrentIndex(index);
}

void QuickViewBox::ClearChoice() {
  setCurrentIndex(-1);
}

}  // namespace tarsel::ui
