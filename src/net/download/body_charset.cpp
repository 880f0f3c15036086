#include "net/download/body_charset.h"

#include "net/http/header_list.h"
#include "parse/charsets/charsets.h"
#include "parse/charsets/legacy_charsets.h"
#include "platform/system_code_page.h"

namespace tarsel {
namespace {

bool ConvertToSingleByte(std::string& text, int charset_code, EncodingChoice choice) {
  switch (charset_code) {
    case HTTP::kCharsetKoi8r:
      Koi8ToCp1251(text);
      return true;
    case HTTP::kCharsetIso88592:
      Iso88592ToCp1250(text);
      return true;
    case HTTP::kCharsetUtf8:
      Utf8ToCodePage(text, choice);
      return true;
    default:
      if (!IsValidUtf8(text)) return false;
      Utf8ToCodePage(text, choice);
      return true;
  }
}

}  // namespace

bool ConvertDownloadedText(std::string& text, std::string_view content_type,
                           EncodingChoice choice) {
  if (CodePageForEncoding(choice) != kCodePageUtf8) {
    return ConvertToSingleByte(text, HTTP::CharsetFromContentType(content_type), choice);
  }
  return BodyToUtf8(text, CharsetOfContentType(content_type), /*guess_windows_1252=*/false);
}

bool ConvertBodyByDeclaration(std::string& body, bool charset_converted, EncodingChoice choice) {
  if (charset_converted || CodePageForEncoding(choice) != kCodePageUtf8) return charset_converted;
  return BodyToUtf8(body, DeclaredXmlEncoding(body), /*guess_windows_1252=*/true);
}

}  // namespace tarsel
