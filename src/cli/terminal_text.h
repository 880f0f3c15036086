#pragma once

// Text that came from feeds, stores or the user, made safe to print on a terminal: no byte of
// it may move the cursor, change the window title or switch the terminal's modes. Pure
// functions of UTF-8 text; any thread.

#include <string>
#include <string_view>

namespace tarsel::cli {

enum class LineBreaks {
  kToBlank,  // a line break (CR, LF) becomes one blank: a row stays one row
  kKeep,     // LF stays (messages of several lines); CR becomes a blank
};

// Tab and printable text pass; every other C0 byte, DEL, every C1 character (U+0080..U+009F)
// and every byte that is not part of valid UTF-8 is shown as a visible escape "\xHH" (the
// code point for C1). Line breaks as `line_breaks` says.
std::string TerminalText(std::string_view utf8, LineBreaks line_breaks = LineBreaks::kToBlank);

}  // namespace tarsel::cli
