// HTML cleaning in every rendering. The cleaned HTML, read as a browser reads it, must hold no
// script, and cleaning it again must change nothing.

#include "fuzz_support.h"
#include "html/cleaning.h"
#include "html/links.h"
#include "html/parser.h"
#include "html/render.h"
#include "html/text.h"
#include "oracle/browser_oracle.h"
#include "platform/system_code_page.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarsel;
  const std::string_view html = fuzz::Input(data, size);
  for (std::string_view base :
       {std::string_view(), std::string_view("http://site/dir/page.html")}) {
    const std::string cleaned = HTML::CleanHtml(html, base);
    if (const std::string risk = testing::FindScriptRisk(cleaned); !risk.empty()) {
      fuzz::Fail(risk, cleaned);
    }
    if (HTML::CleanHtml(cleaned, base) != cleaned) fuzz::Fail("cleaning is not stable", cleaned);
  }
  HTML::NodeList nodes = HTML::Parse(html);
  if (HTML::CleanedHtml(nodes) != HTML::CleanHtml(html, {})) {
    fuzz::Fail("tree and streaming renderings differ");
  }
  (void)HTML::PlainText(nodes, kCodePageUtf8);
  int counter = 0;
  (void)HTML::StructurePattern(nodes, counter);
  HTML::ResolveLinks(nodes, "http://site/dir/");
  (void)HTML::HtmlToPlainText(html, kCodePageUtf8);
  // A summary stops reading once it has its lines; it must equal the whole text cut.
  if (HTML::MakeSummary(html, 3, 1251) != HTML::LimitLines(HTML::HtmlToPlainText(html, 1251), 3)) {
    fuzz::Fail("a summary that stops early differs");
  }
  (void)HTML::StripTags(html, kCodePageUtf8);
  return 0;
}
