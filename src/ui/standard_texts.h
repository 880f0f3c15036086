#pragma once

// Gives the toolkit's own words (standard dialog buttons such as OK, Cancel, Yes and No, and the
// edit menu of text fields) from the program's string table, so that they follow the loaded
// translation like every other text. Main thread; install once after the language is applied.

#include <QTranslator>

#include "settings/language_choice.h"

namespace tarsel::ui {

class StandardTexts : public QTranslator {
  Q_OBJECT

 public:
  using QTranslator::QTranslator;

  QString translate(const char* context, const char* source_text, const char* disambiguation,
                    int n) const override;
  bool isEmpty() const override { return false; }
};

// Installs the toolkit's own translation of `language` (file dialogs and the like; nothing when
// the system lacks it) and, over it, one StandardTexts. Both are owned by the application.
void InstallStandardTexts(Language language);

}  // namespace tarsel::ui
