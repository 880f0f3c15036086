#include "services/xml_rpc_value_objects.h"

#include <charconv>
#include <system_error>

namespace tarsel {

std::unique_ptr<XmlRpcValueObject> XmlRpcIntegerObject::Clone() const {
  return std::make_unique<XmlRpcIntegerObject>(number_);
}

void XmlRpcIntegerObject::AppendXml(std::string& out) const {
  out += "<value><i4>";
  out += std::to_string(number_);
  out += "</i4></value>";
}

std::unique_ptr<XmlRpcValueObject> XmlRpcDoubleObject::Clone() const {
  return std::make_unique<XmlRpcDoubleObject>(number_);
}

void XmlRpcDoubleObject::AppendXml(std::string& out) const {
  // The largest double has 309 integer digits; with the sign, point and six decimals this fits.
  char digits[330];
  const auto result =
      std::to_chars(digits, digits + sizeof digits, number_, std::chars_format::fixed, 6);
  out += "<value><double>";
  if (result.ec == std::errc()) out.append(digits, result.ptr);
  out += "</double></value>";
}

std::unique_ptr<XmlRpcValueObject> XmlRpcBooleanObject::Clone() const {
  return std::make_unique<XmlRpcBooleanObject>(flag_);
}

void XmlRpcBooleanObject::AppendXml(std::string& out) const {
  out += flag_ ? "<value><boolean>1</boolean></value>" : "<value><boolean>0</boolean></value>";
}

std::unique_ptr<XmlRpcValueObject> XmlRpcTextObject::Clone() const {
  return std::make_unique<XmlRpcTextObject>(kind_, text_);
}

const char* XmlRpcTextObject::TypeName() const {
  return kind_ == XmlRpcKind::kDateTime ? "dateTime.iso8601" : "string";
}

void XmlRpcTextObject::AppendXml(std::string& out) const {
  const char* name = TypeName();
  out += "<value><";
  out += name;
  out += '>';
  out += text_;
  out += "</";
  out += name;
  out += "></value>";
}

std::unique_ptr<XmlRpcValueObject> XmlRpcArrayObject::Clone() const {
  return std::make_unique<XmlRpcArrayObject>(elements_);
}

void XmlRpcArrayObject::AppendXml(std::string& out) const {
  out += "<value>\n<array>\n<data>\n";
  for (const XmlRpcValue& element : elements_) {
    element.AppendXml(out);
    out += '\n';
  }
  out += "</data>\n</array>\n</value>";
}

std::unique_ptr<XmlRpcValueObject> XmlRpcStructObject::Clone() const {
  return std::make_unique<XmlRpcStructObject>(members_);
}

void XmlRpcStructObject::AppendXml(std::string& out) const {
  out += "<value>\n <struct>\n";
  for (const auto& [name, value] : members_) {
    out += "  <member>\n   <name>";
    out += name;
    out += "</name>\n    ";
    value.AppendXml(out);
    out += "\n  </member>\n";
  }
  out += " </struct>\n</value>";
}

}  // namespace tarsel
