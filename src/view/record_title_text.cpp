#include "view/record_title_text.h"

#include "html/cleaning.h"
#include "platform/system_code_page.h"

namespace tarsel {

std::string RecordTitleText(std::string_view title_html) {
  // Most titles hold neither markup nor references: no parse for them (the list asks per row).
  if (title_html.find_first_of("<&") == std::string_view::npos) return std::string(title_html);
  return HTML::HtmlToPlainText(title_html, SystemCodePage());
}

}  // namespace tarsel
