#pragma once

#include <string>
#include <string_view>

namespace tarsel::HTML {

// A light pass from an HTML fragment to text: tags, comments and the content of script and
// style are dropped, all other text is kept and then entity-decoded for `code_page`.
std::string StripTags(std::string_view html, int code_page);

// Reduces each run of carriage returns and line feeds to its first character, ends the text
// before the run that would start line `max_lines` + 1 (0 = no limit), and removes trailing line
// breaks.
void LimitLinesInPlace(std::string& text, int max_lines);
std::string LimitLines(std::string_view text, int max_lines);

// Appends `text` to `out` with the characters HTML reads as markup written as references:
// & < > always, and " as well when `quotes` (text bound for an attribute value).
void AppendEscapedHtml(std::string_view text, std::string& out, bool quotes);

}  // namespace tarsel::HTML
