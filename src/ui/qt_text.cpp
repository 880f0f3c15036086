#include "ui/qt_text.h"

#include "platform/system_code_page.h"
#include "view/string_table.h"

namespace tarsel::ui {

QString ToQt(std::string_view program_text) {
  std::string utf8 = CodePageToUtf8(program_text, SystemCodePage());
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQt(const QString& text) {
  QByteArray utf8 = text.toUtf8();
  return CodePageFromUtf8(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())),
                          SystemCodePage());
}

QString Text(int id) {
  return ToQt(GetText(id));
}

}  // namespace tarsel::ui
