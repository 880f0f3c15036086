#pragma once

// Script texts the program runs in a browser pane's own script world (never the page's): they
// carry the program's data as JavaScript string literals, so nothing in the data can end the
// literal and become code. Input is UTF-8; no Qt. Any thread.

#include <string>
#include <string_view>

namespace tarsel {

// `text` as a double-quoted JavaScript string literal. Quotes, backslashes, control characters
// and the two line separators that older engines end a literal at are escaped.
void AppendJavaScriptString(std::string_view text, std::string& out);

// Replaces the page body's inner HTML with `utf8_body` and scrolls to the top; does nothing on
// a page without a body.
std::string BodyAssignmentScript(std::string_view utf8_body);

}  // namespace tarsel
