#pragma once

// An XML-RPC method call: a method name and its parameters, written as the text that is posted.
// The name and the parameter texts go in unescaped (see xml_rpc_value.h). Bytes in the program's
// code page; the declaration names utf-8 but nothing is converted.

#include <string>
#include <vector>

#include "services/xml_rpc_value.h"

namespace tarsel {

class XmlRpcRequest {
 public:
  explicit XmlRpcRequest(std::string method_name) : method_name_(std::move(method_name)) {}

  // Appends a copy of value.
  void AddParam(const XmlRpcValue& value) { params_.push_back(value); }

  const std::string& MethodName() const { return method_name_; }
  const std::vector<XmlRpcValue>& Params() const { return params_; }

  // The methodCall document, without a final line end.
  std::string ToXml() const;

 private:
  std::string method_name_;
  std::vector<XmlRpcValue> params_;
};

}  // namespace tarsel
