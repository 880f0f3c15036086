#pragma once

// An XML-RPC method response: whether a result was read, and the result itself (the first
// parameter's value) or, for a fault, a struct {faultCode: int, faultString: string}.
//
// Parse reads hostile bytes: malformed XML, unknown shapes and values nested without end give a
// false result or the default value, never an exception. Not shared between threads.

#include <cstddef>
#include <string>

#include "parse/xml/xml_node.h"
#include "services/xml_rpc_value.h"

namespace tarsel {

class XmlRpcResponse {
 public:
  // Reads a methodResponse document (the root's name is not checked). Returns false when the
  // bytes are no XML, nest too deeply, or the root holds neither a fault nor params. A fault
  // returns true with IsOk false; params without a param and value return true with IsOk false.
  // Whatever an earlier Parse read is dropped first.
  bool Parse(const char* bytes, std::size_t length);
  bool Parse(const std::string& bytes) { return Parse(bytes.data(), bytes.size()); }

  bool IsOk() const { return ok_; }
  const XmlRpcValue& Result() const { return result_; }

  // The response written back as a methodResponse document, for showing a failed call.
  std::string ToXml() const;

 private:
  bool ReadRoot(const XMLParser::Node& root);
  void ReadFault(const XMLParser::Node& fault);

  bool ok_ = false;
  XmlRpcValue result_;
};

}  // namespace tarsel
