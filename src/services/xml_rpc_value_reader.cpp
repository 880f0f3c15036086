#include "services/xml_rpc_value_reader.h"

#include <locale.h>

#include <clocale>
#include <cstdlib>

#include "settings/settings_text.h"

namespace tarsel {

namespace {

XmlRpcValue ReadValue(const XMLParser::Node& element, int depth);

// atof, but always in the C locale: a desktop program may run with a locale whose decimal
// separator is a comma, and the wire format always uses '.'.
double ReadDouble(const std::string& text) {
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  if (c_locale == static_cast<locale_t>(nullptr)) return std::atof(text.c_str());
  return strtod_l(text.c_str(), nullptr, c_locale);
}

XmlRpcValue ReadStruct(const XMLParser::Node& element, int depth) {
  XMLParser::NodeRefs members;
  element.FindChildren("member", members);
  if (members.empty()) return XmlRpcValue();
  XmlRpcMembers read;
  for (const XMLParser::Node* member : members) {
    const std::string& name = member->FindChildNoCase("name").text;
    // A name already present keeps its first value.
    if (read.find(name) != read.end()) continue;
    read.emplace(name, ReadValue(member->FindChildAt("value", 0), depth + 1));
  }
  return XmlRpcValue::Struct(std::move(read));
}

XmlRpcValue ReadArray(const XMLParser::Node& element, int depth) {
  XMLParser::NodeRefs values;
  element.FindChildNoCase("data").FindChildren("value", values);
  if (values.empty()) return XmlRpcValue();
  XmlRpcArray read;
  read.reserve(values.size());
  for (const XMLParser::Node* value : values) read.push_back(ReadValue(*value, depth + 1));
  return XmlRpcValue::Array(std::move(read));
}

// The value of a typed child, or nothing when the child's name is no XML-RPC type.
bool ReadTyped(const XMLParser::Node& child, int depth, XmlRpcValue& out) {
  const std::string& name = child.name;
  const std::string& text = child.text;
  if (name == "boolean") {
    out = XmlRpcValue::Boolean(text == "1" || text == "true");
  } else if (name == "int" || name == "i4") {
    out = XmlRpcValue::Integer(ReadLeadingInt(text));
  } else if (name == "double") {
    out = XmlRpcValue::Double(ReadDouble(text));
  } else if (name == "string") {
    out = XmlRpcValue::String(text);
  } else if (name == "datetime.iso8601") {
    out = XmlRpcValue::DateTime(text);
  } else if (name == "struct") {
    out = ReadStruct(child, depth);
  } else if (name == "array") {
    out = ReadArray(child, depth);
  } else {
    return false;
  }
  return true;
}

XmlRpcValue ReadValue(const XMLParser::Node& element, int depth) {
  if (depth > kMaxXmlRpcValueDepth) throw XmlRpcDepthError();
  const XMLParser::NodeList* children = element.Children();
  // Untyped content is a string, the XML-RPC default type.
  if (children == nullptr || children->empty()) return XmlRpcValue::String(element.text);
  XmlRpcValue out;
  for (const auto& child : *children) {
    if (ReadTyped(*child, depth, out)) return out;
  }
  return XmlRpcValue();
}

}  // namespace

XmlRpcValue ReadXmlRpcValue(const XMLParser::Node& value_element) {
  return ReadValue(value_element, 1);
}

}  // namespace tarsel
