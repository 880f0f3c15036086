#pragma once

#include <string>
#include <string_view>

namespace tarsel::HTML {

// Decodes the entities of escaped text in one left-to-right pass: &lt; &gt; &amp; &apos; &quot;
// &nbsp; (a blank), &laquo; &raquo; &bdquo; &ldquo; (a double quote), &hellip; ("..."), and
// &#N; / &#xH; below 256 (that byte; &#0; stays literal). "&amp;" yields an '&' that is read
// again, so "&amp;lt;" becomes "<". Anything else, an entity cut off by the end included, is
// copied unchanged. Names are case-sensitive. The text never grows.
void DecodeEntitiesInPlace(std::string& text);
std::string DecodeEntities(std::string_view text);

// Appends DecodeEntities(text) to `out` without a temporary string.
void AppendDecodedEntities(std::string_view text, std::string& out);

}  // namespace tarsel::HTML
