#include "html/cleaning.h"

#include "html/links.h"
#include "html/parser.h"
#include "html/render.h"
#include "html/text.h"

namespace tarsel::HTML {

std::string CleanHtml(std::string_view html, std::string_view base_url) {
  NodeList nodes = Parse(html);
  if (!base_url.empty()) ResolveLinks(nodes, base_url);
  return CleanedHtml(nodes);
}

std::string HtmlToPlainText(std::string_view html) {
  return PlainText(Parse(html));
}

std::string MakeSummary(std::string_view html, int max_lines) {
  std::string text = HtmlToPlainText(html);
  LimitLinesInPlace(text, max_lines);
  return text;
}

}  // namespace tarsel::HTML
