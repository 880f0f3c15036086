#pragma once

// Helpers for writing XML as text. Bytes in, bytes out, in whatever code page the caller uses.

#include <string>
#include <string_view>

namespace tarsel {

// "<name>number</name>"
std::string XmlIntElement(std::string_view name, int number);
// "<name>text</name>"; the text goes in as it is, without escaping.
std::string XmlStringElement(std::string_view name, std::string_view text);
// "<name>true</name>" or "<name>false</name>"
std::string XmlBoolElement(std::string_view name, bool flag);
// For attribute values in double quotes: '"' -> "&quot;", '<' -> "&lt;", '&' -> "&amp;" (even
// when it already begins an entity reference); '>' and '\'' stay.
std::string EscapeXmlAttribute(std::string_view text);

}  // namespace tarsel
