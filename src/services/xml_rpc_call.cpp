#include "services/xml_rpc_call.h"

#include "net/http/http_client.h"

namespace tarsel {

XmlRpcCallStatus PerformXmlRpcCall(const std::string& url, const XmlRpcRequest& request,
                                   XmlRpcResponse& response, const XmlRpcCallOptions& options) {
  response = XmlRpcResponse();
  HTTP::CHttpClient client;
  client.AddHeader("User-Agent", options.user_agent);
  client.AddHeader("Content-Type", "text/xml");
  client.SetPostBody(request.ToXml());
  if (options.connect_timeout_ms > 0) client.SetConnectTimeout(options.connect_timeout_ms);
  try {
    client.Download(url);
  } catch (const HTTP::CHttpExeption&) {
    return XmlRpcCallStatus::kTransportFailed;
  }
  response.Parse(client.Body());
  if (response.IsOk()) return XmlRpcCallStatus::kOk;
  if (options.prompt != nullptr) {
    options.prompt->ShowMessage(kXmlRpcFailureCaption, response.ToXml());
  }
  return XmlRpcCallStatus::kFailedResponse;
}

bool CallXmlRpc(const std::string& url, const XmlRpcRequest& request, XmlRpcResponse& response,
                const XmlRpcCallOptions& options) {
  return PerformXmlRpcCall(url, request, response, options) == XmlRpcCallStatus::kOk;
}

}  // namespace tarsel
