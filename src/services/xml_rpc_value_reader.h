#pragma once

// Reads one XML-RPC <value> element of a parsed response into an XmlRpcValue. Shapes that are
// not understood read as the default value (an empty string); nothing is thrown for them.
//
// Values nested deeper than kMaxXmlRpcValueDepth throw XmlRpcDepthError: the value is kept on
// the stack while it is read, copied and destroyed, so a hostile reply must not nest without end.

#include "parse/xml/xml_node.h"
#include "services/xml_rpc_value.h"

namespace tarsel {

inline constexpr int kMaxXmlRpcValueDepth = 512;

struct XmlRpcDepthError {};

// value_element: the <value> element (names in the tree are lower case, as the reader makes them).
XmlRpcValue ReadXmlRpcValue(const XMLParser::Node& value_element);

}  // namespace tarsel
