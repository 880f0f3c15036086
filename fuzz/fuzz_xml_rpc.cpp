// XML-RPC responses as a weblog or directory server may send them.

#include "fuzz_support.h"
#include "services/xml_rpc_response.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tarsel::XmlRpcResponse response;
  response.Parse(reinterpret_cast<const char*>(data), size);
  return 0;
}
