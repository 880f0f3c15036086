#include "ui/about_box.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QRandomGenerator>
#include <QTimer>
#include <QVBoxLayout>

#include "app/product_version.h"
#include "ui/qt_text.h"
#include "view/accessible_texts.h"
#include "view/main_window_text.h"
#include "view/string_table.h"
#include "view/text_format.h"

namespace tarsel::ui {
namespace {

constexpr int kRainColumns = 40;
constexpr int kRainRows = 14;
constexpr int kCellWidth = 11;
constexpr int kCellHeight = 15;
constexpr int kStepMs = 90;

}  // namespace

RainWidget::RainWidget(std::vector<std::string> words, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("AboutAnimation"));
  setAccessibleName(Text(text::kAccessibleAnimation));
  setFixedSize(kRainColumns * kCellWidth, kRainRows * kCellHeight);
  rain_ = std::make_unique<CharacterRain>(kRainColumns, kRainRows, std::move(words), [] {
    return static_cast<int>(QRandomGenerator::global()->bounded(32768));
  });
  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, [this] {
    rain_->Step();
    update();
  });
  timer->start(kStepMs);
}

void RainWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  QFont font(QStringLiteral("Monospace"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(kCellHeight - 2);
  painter.setFont(font);
  for (int row = 0; row < rain_->rows(); ++row) {
    for (int column = 0; column < rain_->columns(); ++column) {
      const CharacterRain::Cell& cell = rain_->At(column, row);
      if (cell.age < 0) continue;
      // Fresh characters are bright and fade as the drop moves on.
      const int green = std::max(40, 255 - cell.age * 18);
      painter.setPen(cell.highlighted ? QColor(230, 255, 230) : QColor(0, green, 60));
      const QRect box(column * kCellWidth, row * kCellHeight, kCellWidth, kCellHeight);
      // The character is program text in its code page.
      painter.drawText(box, Qt::AlignCenter, ToQt(std::string(1, cell.character)));
    }
  }
}

AboutBox::AboutBox(std::vector<std::string> words, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(Text(text::kAboutCaption));
  auto* layout = new QVBoxLayout(this);
  auto* name = new QLabel(ToQt(FillText(GetText(text::kWindowTitle), kProductVersion)), this);
  name->setTextFormat(Qt::PlainText);
  name->setObjectName(QStringLiteral("AboutName"));
  name->setAccessibleName(name->text());
  QFont bold = name->font();
  bold.setBold(true);
  bold.setPointSize(bold.pointSize() + 3);
  name->setFont(bold);
  auto* line = new QLabel(Text(text::kAboutText), this);
  line->setTextFormat(Qt::PlainText);
  line->setAccessibleName(line->text());
  layout->addWidget(name);
  layout->addWidget(line);
  layout->addWidget(new RainWidget(std::move(words), this));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->setObjectName(QStringLiteral("AboutButtons"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}

}  // namespace tarsel::ui
