#pragma once

// Atom text constructs (title, subtitle, summary, content, rights) and the two forms the readers
// hand on: HTML for descriptions, escaped text for titles. Texts are bytes as the document
// carried them; the XML reader resolved none of the document's references.

#include <string>
#include <string_view>

#include "parse/xml/xml_node.h"

namespace tarsel::feeds {

// What a construct holds, from its "type": "text" (the default), "html" and "xhtml", or a media
// type of content (text/* as text, text/html as html, XML types as markup, others as data).
enum class TextKind { kText, kHtml, kXhtml, kData };
TextKind KindOfText(const XMLParser::Node& construct);

// The construct as HTML: text escaped, html unescaped, xhtml the markup inside its div (all of
// its markup when the div is missing), data nothing.
std::string TextConstructHtml(const XMLParser::Node& construct);

// The construct as escaped text, the form feed titles take: '&', '<' and '>' stand as
// references; html and xhtml lose their markup.
std::string TextConstructEscapedText(const XMLParser::Node& construct, int code_page);

// The document's escaping undone in one pass: the five XML entities and character references
// to ASCII. Other references, HTML's named ones among them, stay: whoever reads the result as HTML
// reads them the same way. "&amp;lt;" gives "&lt;", never "<".
std::string UnescapeXml(std::string_view text);

// '&', '<' and '>' as references.
std::string EscapeText(std::string_view text);

}  // namespace tarsel::feeds
