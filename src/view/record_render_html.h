#pragma once

// Making feed text safe to put into the record pane's page. Feed titles and links are hostile:
// a title may carry markup, a link may carry a quote that ends its attribute or a scheme that
// runs script. Texts are bytes in the program's code page (ASCII-compatible); no Qt. Any thread.

#include <string>
#include <string_view>

namespace tarsel {

// Appends `text` as HTML text that is also safe inside a quoted attribute value: & < > " and '
// become character references, everything else stays as it is.
void AppendEscapedHtml(std::string_view text, std::string& out);
std::string EscapeHtml(std::string_view text);

// True when the link's scheme is http, https, ftp or mailto (any letter case). The scheme is
// read as a browser reads it: leading blanks and control characters are skipped and tabs and
// line breaks inside are ignored, so "java\tscript:" is recognised for what it is. A link
// without a scheme (a relative one) would resolve against the theme page's local file, so it
// is refused too.
bool IsAllowedLink(std::string_view link);

// The link ready to stand between double quotes in an attribute: escaped as above, or empty
// when IsAllowedLink refuses it.
std::string SafeLinkAttribute(std::string_view link);

// `<a href="LINK">TEXT</a>` with the link made safe and the text escaped; only the escaped text
// when the link is refused or empty.
void AppendSafeAnchor(std::string_view link, std::string_view text, std::string& out);

}  // namespace tarsel
