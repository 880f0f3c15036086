#pragma once

#include <string>
#include <string_view>

// The HTML toolkit's steps as the feed readers use them. Input and output are bytes in the
// program's code page. Any thread.
namespace tarsel::HTML {

class LinkResolver;

// Parse, resolve links against `base_url` (none when empty), cleaned HTML.
std::string CleanHtml(std::string_view html, std::string_view base_url);

// The same with links resolved by `resolver` (none when null), so that the texts of a whole
// document share one parse of their base.
std::string CleanHtml(std::string_view html, LinkResolver* resolver);

// Parse, plain text (a title with markup, a tagline, a mail body), entities decoded for
// `code_page` (DecodeEntities).
std::string HtmlToPlainText(std::string_view html, int code_page);

// The records list summary of a description: its plain text after LimitLines(max_lines).
std::string MakeSummary(std::string_view html, int max_lines, int code_page);

// CleanHtml(html, resolver), and MakeSummary(html, max_lines, code_page) into `summary`, from
// one parse of `html`: the feed readers need both of every description.
std::string CleanHtmlWithSummary(std::string_view html, LinkResolver* resolver, int max_lines,
                                 int code_page, std::string& summary);

}  // namespace tarsel::HTML
