#include "net/download/body_charset.h"

#include "net/http/header_list.h"
#include "parse/charsets/charsets.h"

namespace tarsel {

bool ConvertDownloadedText(std::string& text, int charset_code, EncodingChoice choice) {
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

}  // namespace tarsel
