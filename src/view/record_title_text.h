#pragma once

// Record titles are kept as cleaned HTML: markup the cleaner allows stays, and text is escaped
// ("Tom &amp; Jerry"). Wherever a title is shown as text (the records list, the record pane's
// heading, the clipboard, tarsel-cli's text output) it goes through here first. Bytes in the
// program's code page. Any thread.

#include <string>
#include <string_view>

namespace tarsel {

// The text a reader sees for a stored title: tags dropped, character references decoded.
std::string RecordTitleText(std::string_view title_html);

}  // namespace tarsel
