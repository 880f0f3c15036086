#pragma once

#include <string>
#include <string_view>

namespace tarsel::HTML {

// Decodes the entities of escaped text in one left-to-right pass: &lt; &gt; &amp; &apos; &quot;
// &nbsp; (a blank), &laquo; &raquo; &bdquo; &ldquo; (a double quote), &hellip; ("..."), and the
// character references &#N; / &#xH; by the text's `code_page`:
// - UTF-8 (kCodePageUtf8): the UTF-8 bytes of any code point up to U+10FFFF, U+10000 and above
//   included (80-9F stand for Windows-1252's characters there, as in browsers); surrogates stay;
// - a single-byte page: the byte N below 256; 256 and above stay.
// &#0; stays. "&amp;" yields an '&' that is read again, so "&amp;lt;" becomes "<". Anything
// else, an entity cut off by the end included, is copied unchanged. Names are case-sensitive.
// The text never grows. A decoded '<' comes only from &lt; or a reference to U+003C itself.
void DecodeEntitiesInPlace(std::string& text, int code_page);
std::string DecodeEntities(std::string_view text, int code_page);

// Appends DecodeEntities(text, code_page) to `out` without a temporary string.
void AppendDecodedEntities(std::string_view text, int code_page, std::string& out);

}  // namespace tarsel::HTML
