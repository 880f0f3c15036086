#include "parse/xml/xml_writer.h"

namespace tarsel {
namespace {

std::string Wrap(std::string_view name, std::string_view inner) {
  std::string out;
  out.reserve(name.size() * 2 + inner.size() + 5);
  out += '<';
  out += name;
  out += '>';
  out += inner;
  out += "</";
  out += name;
  out += '>';
  return out;
}

}  // namespace

std::string XmlIntElement(std::string_view name, int number) {
  return Wrap(name, std::to_string(number));
}

std::string XmlStringElement(std::string_view name, std::string_view text) {
  return Wrap(name, text);
}

std::string XmlBoolElement(std::string_view name, bool flag) {
  return Wrap(name, flag ? "true" : "false");
}

std::string EscapeXmlAttribute(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '"':
        out += "&quot;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '&':
        out += "&amp;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace tarsel
