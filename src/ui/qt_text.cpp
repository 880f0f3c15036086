#include "ui/qt_text.h"

#include <atomic>

#include "parse/charsets/encoding_choice.h"
#include "platform/system_code_page.h"
#include "view/string_table.h"

namespace tarsel::ui {
namespace {

// Written by the settings' owner on the window thread, read by every conversion (workers'
// notices too): plain values, no lock per call.
std::atomic<EncodingChoice> published_encoding{EncodingChoice::kAutomatic};
std::atomic<int> published_code_page{0};

}  // namespace

void PublishProgramEncoding(EncodingChoice encoding) {
  published_encoding = encoding;
  published_code_page = CodePageForEncoding(encoding);
}

EncodingChoice ProgramEncoding() {
  return published_encoding;
}

int ProgramCodePage() {
  const int code_page = published_code_page;
  return code_page != 0 ? code_page : CodePageForEncoding(EncodingChoice::kAutomatic);
}

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
