#include "ui/standard_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
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
    {"OK", 66000},          {"&OK", 66000},        {"Cancel", 66001},
    {"&Cancel", 66001},     {"&Yes", 66002},       {"Yes", 66002},
    {"&No", 66003},         {"No", 66003},         {"Apply", 66004},
    {"Close", 66005},       {"&Close", 66005},     {"Help", 66006},
    {"Save", 66007},        {"&Save", 66007},      {"Discard", 66008},
    {"Retry", 66009},       {"Ignore", 66010},     {"Abort", 66011},
    {"Yes to &All", 66012}, {"N&o to All", 66013}, {"Reset", 66014},
    {"Open", 66015},        {"&Undo", 66020},      {"&Redo", 66021},
    {"Cu&t", 66022},        {"&Copy", 66023},      {"&Paste", 66024},
    {"Delete", 66025},      {"Select All", 66026}, {"Copy &Link Location", 66027},
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

void InstallStandardTexts(Language language) {
  if (language != Language::kEnglish) {
    auto* toolkit = new QTranslator(QCoreApplication::instance());
    const QString name = language == Language::kRussian ? QStringLiteral("qtbase_ru")
                                                         : QStringLiteral("qtbase_fr");
    if (toolkit->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
      QCoreApplication::installTranslator(toolkit);
    }
  }
  // Installed last, so asked first: the program's own words win over the toolkit's.
  auto* texts = new StandardTexts(QCoreApplication::instance());
  QCoreApplication::installTranslator(texts);
}

}  // namespace tarsel::ui
