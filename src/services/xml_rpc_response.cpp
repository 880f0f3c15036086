#include "services/xml_rpc_response.h"

#include "parse/xml/xml_document.h"
#include "services/xml_rpc_value_reader.h"
#include "settings/settings_text.h"

namespace tarsel {

bool XmlRpcResponse::Parse(const char* bytes, std::size_t length) {
  ok_ = false;
  result_ = XmlRpcValue();
  try {
    XMLParser::Document document;
    return ReadRoot(document.ParseBuffer(bytes, length));
  } catch (const XMLParser::Exception&) {
  } catch (const XmlRpcDepthError&) {
  }
  ok_ = false;
  result_ = XmlRpcValue();
  return false;
}

bool XmlRpcResponse::ReadRoot(const XMLParser::Node& root) {
  const XMLParser::Node& fault = root.FindChildNoCase("fault");
  if (!fault.IsNull()) {
    ReadFault(fault);
    return true;
  }
  const XMLParser::Node& params = root.FindChildAt("params", 0);
  if (params.IsNull()) return false;
  const XMLParser::Node& value = params.FindChildAt("param", 0).FindChildAt("value", 0);
  if (!value.IsNull()) {
    result_ = ReadXmlRpcValue(value);
    ok_ = true;
  }
  return true;
}

// Only the two members every server sends are kept, and only in their usual types: a code
// given as <i4> reads as 0.
void XmlRpcResponse::ReadFault(const XMLParser::Node& fault) {
  XMLParser::NodeRefs members;
  fault.FindChildAt("value", 0).FindChildAt("struct", 0).FindChildren("member", members);
  if (members.empty()) return;
  int32_t code = 0;
  std::string message;
  for (const XMLParser::Node* member : members) {
    const std::string& name = member->FindChildAt("name", 0).text;
    const XMLParser::Node& value = member->FindChildAt("value", 0);
    if (name == "faultCode") {
      code = ReadLeadingInt(value.FindChildAt("int", 0).text);
    } else if (name == "faultString") {
      message = value.FindChildAt("string", 0).text;
    }
  }
  XmlRpcMembers read;
  read.emplace("faultCode", XmlRpcValue::Integer(code));
  read.emplace("faultString", XmlRpcValue::String(std::move(message)));
  result_ = XmlRpcValue::Struct(std::move(read));
}

std::string XmlRpcResponse::ToXml() const {
  std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<methodResponse>\n";
  out += ok_ ? "<params>\n<param>\n" : "<fault>\n";
  result_.AppendXml(out);
  out += ok_ ? "\n</param>\n</params>\n" : "\n</fault>\n";
  out += "</methodResponse>";
  return out;
}

}  // namespace tarsel
