#include "services/xml_rpc_request.h"

namespace tarsel {

std::string XmlRpcRequest::ToXml() const {
  std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<methodCall>\n <methodName>";
  out += method_name_;
  out += "</methodName>\n <params>\n";
  for (const XmlRpcValue& param : params_) {
    out += "  <param>\n   ";
    param.AppendXml(out);
    out += "\n  </param>\n";
  }
  out += " </params>\n</methodCall>";
  return out;
}

}  // namespace tarsel
