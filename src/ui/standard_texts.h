#pragma once

// Gives the toolkit's own words (standard dialog buttons such as OK, Cancel, Yes and No, and the
// edit menu of text fields) from the program's string table, so that they follow the loaded
// translation like every other text. Main thread; install once after the language is applied.

#include <QTranslator>

namespace tarsel::ui {

class StandardTexts : public QTranslator {
  Q_OBJECT

 public:
  using QTranslator::QTranslator;

  QString translate(const char* context, const char* source_text, const char* disambiguation,
                    int n) const override;
  bool isEmpty() const override { return false; }
};

// Installs one StandardTexts on the application (owned by it).
void InstallStandardTexts();

}  // namespace tarsel::ui
