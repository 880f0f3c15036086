#pragma once

#include <string>

namespace tarsel::testing {

// The body of a successful XML-RPC answer whose one result is `value_xml` ("<value>...</value>").
inline std::string XmlRpcAnswer(const std::string& value_xml) {
  return "<methodResponse><params><param>" + value_xml + "</param></params></methodResponse>";
}

}  // namespace tarsel::testing
