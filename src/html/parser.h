#pragma once

#include <string_view>

#include "html/node.h"

namespace tarsel::HTML {

// Parses an HTML fragment (bytes in the program's code page) into a tolerant tree. Never fails as
// a whole: a tag cut off by the end of the input is dropped, unclosed elements end at the end of
// the input, and a stray closing tag at the top level ends the parse. Comments, meta, object,
// script and style never enter the tree, nor do iframe, frame, frameset, embed, applet and base
// (with their content). Attributes named class or target or beginning with "on", and URL
// attributes with a javascript:, vbscript: or data: scheme (except data:image/ in an img src),
// are left out. Nesting deeper than kMaxDepth elements ends the parse there.
NodeList Parse(std::string_view html);

inline constexpr int kMaxDepth = 2000;

}  // namespace tarsel::HTML
