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

// Which quotes an escape writes as references besides & < >: none for element text, " for a
// value bound for a double-quoted attribute, both where the text may stand between either kind.
enum class QuoteEscaping { kNone, kDouble, kDoubleAndSingle };

// Appends `text` to `out` with the characters HTML reads as markup written as references (' as
// "&#39;"); every other byte stays as it is.
void AppendEscapedHtml(std::string_view text, std::string& out, QuoteEscaping quotes);

}  // namespace tarsel::HTML
