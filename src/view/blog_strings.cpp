#include "view/blog_strings.h"

#include "platform/system_code_page.h"
#include "settings/settings.h"

namespace tarsel {

int BlogPageCodePage(int32_t encoding) {
  if (encoding == kEncodingWesternEurope) return 1252;
  if (encoding == kEncodingCyrillicWindows) return 1251;
  return SystemCodePage();
}

}  // namespace tarsel
