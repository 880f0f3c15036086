#pragma once

#include <string>
#include <string_view>

namespace tarsel::HTML {

// Where the escaped text was written. HTML reads a legacy name without its ';' ("&copy") in
// text, but in an attribute value not when a letter, a digit or '=' follows it, so the query
// of an address ("?a=1&copy=2", "&section=3") keeps its names.
enum class EntityContext { kText, kAttribute };

// Decodes the entities of escaped text in one left-to-right pass, writing characters in the
// text's `code_page`:
// - every named character reference of HTML's table ("&eacute;", "&rsquo;", "&nGt;" with both
//   its code points), and HTML's legacy names also without their ';' ("&eacute", "&amp",
//   longest name first: "&notit;" is "&not" then "it;") as `context` allows. Names are
//   case-sensitive. The program reads a few as ASCII, as it always has: &nbsp; (and every
//   other name of U+00A0) as a blank; &laquo;, &raquo;, &bdquo; and &ldquo; as a double quote;
//   &hellip; as "...". In a single-byte page a name whose character the page lacks stays as
//   it is;
// - the character references &#N; / &#xH; (with their ';' only): in UTF-8 (kCodePageUtf8) the
//   UTF-8 bytes of any code point up to U+10FFFF (80-9F stand for Windows-1252's characters
//   there, as in browsers), and of U+FFFD for any number past it, never wrapped into a smaller
//   one; surrogates stay; in a single-byte page the byte N below 256, 256 and above stay.
//   &#0; stays.
// "&amp;" yields an '&' that is read again, so "&amp;lt;" becomes "<". Anything else, an
// entity cut off by the end included, is copied unchanged.
// A decoded '<' or '>' comes only from a reference to that character (&lt;, &LT;, &#60;,
// &nvlt;...): in UTF-8 no other character has an ASCII byte, and a single-byte page maps none
// of the others there.
// The text may grow: "&nGt;" (5 bytes) is 6 bytes of UTF-8; in place, the rest of the text is
// then decoded into new room, so the writer never overtakes what is still to be read.
void DecodeEntitiesInPlace(std::string& text, int code_page,
                           EntityContext context = EntityContext::kText);
std::string DecodeEntities(std::string_view text, int code_page,
                           EntityContext context = EntityContext::kText);

// Appends DecodeEntities(text, code_page, context) to `out` without a temporary string.
// `text` must not lie inside `out`.
void AppendDecodedEntities(std::string_view text, int code_page, std::string& out,
                           EntityContext context = EntityContext::kText);

}  // namespace tarsel::HTML
