#include "ui/standard_texts.h"

#include <QCoreApplication>
#include <cstring>

#include "ui/qt_text.h"

namespace tarsel::ui {
namespace {

struct StandardText {
  const char* source;
  int id;
};

// The toolkit's English words and the string ids that carry them (view/strings_standard.cpp).
constexpr StandardText kTexts[] = {
    {"OK", 65000},          {"&OK", 65000},        {"Cancel", 65001},
    {"&Cancel", 65001},     {"&Yes", 65002},       {"Yes", 65002},
    {"&No", 65003},         {"No", 65003},         {"Apply", 65004},
    {"Close", 65005},       {"&Close", 65005},     {"Help", 65006},
    {"Save", 65007},        {"&Save", 65007},      {"Discard", 65008},
    {"Retry", 65009},       {"Ignore", 65010},     {"Abort", 65011},
    {"Yes to &All", 65012}, {"N&o to All", 65013}, {"Reset", 65014},
    {"Open", 65015},        {"&Undo", 65020},      {"&Redo", 65021},
    {"Cu&t", 65022},        {"&Copy", 65023},      {"&Paste", 65024},
    {"Delete", 65025},      {"Select All", 65026}, {"Copy &Link Location", 65027},
};

// The contexts the toolkit asks these words in.
bool IsToolkitContext(const char* context) {
  for (const char* known : {"QPlatformTheme", "QDialogButtonBox", "QMessageBox", "QLineEdit",
                            "QWidgetTextControl", "QShortcut"}) {
    if (std::strcmp(context, known) == 0) return true;
  }
  return false;
}

}  // namespace

QString StandardTexts::translate(const char* context, const char* source_text, const char*,
                                 int) const {
  if (context == nullptr || source_text == nullptr || !IsToolkitContext(context)) return {};
  for (const StandardText& text : kTexts) {
    if (std::strcmp(text.source, source_text) == 0) return Text(text.id);
  }
  return {};
}

void InstallStandardTexts() {
  auto* texts = new StandardTexts(QCoreApplication::instance());
  QCoreApplication::installTranslator(texts);
}

}  // namespace tarsel::ui
