// HTML cleaning in every rendering. The cleaned HTML, read as a browser reads it, must hold no
// script nor swallow the page after it, and cleaning it again must change nothing. The texts
// are read in the code page of one of the four encoding settings, picked by the input's length
// (so that the corpus stays plain HTML).

#include "fuzz_support.h"
#include "html/cleaning.h"
#include "html/links.h"
#include "html/parser.h"
#include "html/render.h"
#include "html/text.h"
#include "oracle/browser_oracle.h"
#include "platform/system_code_page.h"

namespace {

// Automatic on a UTF-8 desktop, Western Europe, Cyrillic Windows, Central European.
constexpr int kCodePages[] = {tarsel::kCodePageUtf8, 1252, 1251, 1250};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarsel;
  const std::string_view html = fuzz::Input(data, size);
  const int code_page = kCodePages[size % std::size(kCodePages)];
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
  (void)HTML::PlainText(nodes, code_page);
  int counter = 0;
  (void)HTML::StructurePattern(nodes, counter);
  HTML::ResolveLinks(nodes, "http://site/dir/");
  // A summary stops reading once it has its lines; it must equal the whole text cut.
  if (HTML::MakeSummary(html, 3, code_page) !=
      HTML::LimitLines(HTML::HtmlToPlainText(html, code_page), 3)) {
    fuzz::Fail("a summary that stops early differs");
  }
  (void)HTML::StripTags(html, code_page);
  return 0;
}
