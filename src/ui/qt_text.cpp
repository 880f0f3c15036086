#include "ui/qt_text.h"

#include "parse/charsets/encoding_choice.h"
#include "platform/system_code_page.h"
#include "settings/settings.h"
#include "view/string_table.h"

namespace tarsel::ui {
namespace {

// The program's code page: the one the encoding setting converts feeds to (UTF-8 under
// Automatic on a UTF-8 desktop).
int ProgramCodePage() {
  return CodePageForEncoding(static_cast<EncodingChoice>(CurrentSettings()->encoding));
}

}  // namespace

QString ToQt(std::string_view program_text) {
  // Malformed UTF-8 becomes U+FFFD here, before Qt sees it.
  const std::string utf8 = CodePageToUtf8(program_text, ProgramCodePage());
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQt(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return CodePageFromUtf8(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())),
                          ProgramCodePage());
}

QString Text(int id) {
  return ToQt(GetText(id));
}

}  // namespace tarsel::ui
