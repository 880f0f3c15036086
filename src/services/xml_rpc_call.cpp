#include "services/xml_rpc_call.h"

#include "net/http/http_client.h"
#include "services/service_texts.h"
#include "settings/translation_table.h"

namespace tarsel {

void XmlRpcCancel::Cancel() {
  std::lock_guard lock(mutex_);
  cancelled_ = true;
  if (client_ != nullptr) client_->Cancel();
}

bool XmlRpcCancel::Cancelled() const {
  std::lock_guard lock(mutex_);
  return cancelled_;
}

bool XmlRpcCancel::Attach(HTTP::CHttpClient* client) {
  std::lock_guard lock(mutex_);
  if (cancelled_) return false;
  client_ = client;
  return true;
}

void XmlRpcCancel::Detach() {
  std::lock_guard lock(mutex_);
  client_ = nullptr;
}

namespace {

// Registers a client with the cancel object for the length of one download.
class CancelScope {
 public:
  CancelScope(XmlRpcCancel* cancel, HTTP::CHttpClient& client) : cancel_(cancel) {
    if (cancel_ != nullptr && !cancel_->Attach(&client)) client.Cancel();
  }
  ~CancelScope() {
    if (cancel_ != nullptr) cancel_->Detach();
  }
  CancelScope(const CancelScope&) = delete;
  CancelScope& operator=(const CancelScope&) = delete;

 private:
  XmlRpcCancel* cancel_;
};

}  // namespace

XmlRpcCallStatus PerformXmlRpcCall(const std::string& url, const XmlRpcRequest& request,
                                   XmlRpcResponse& response, const XmlRpcCallOptions& options) {
  response = XmlRpcResponse();
  HTTP::CHttpClient client(options.http);
  client.AddHeader("User-Agent", options.user_agent);
  client.AddHeader("Content-Type", "text/xml; charset=utf-8");
  client.SetPostBody(request.ToXml());
  if (options.connect_timeout_ms > 0) client.SetConnectTimeout(options.connect_timeout_ms);
  try {
    const CancelScope scope(options.cancel, client);
    client.Download(url);
  } catch (const HTTP::CHttpExeption&) {
    return XmlRpcCallStatus::kTransportFailed;
  }
  response.Parse(client.Body());
  if (response.IsOk()) return XmlRpcCallStatus::kOk;
  if (options.prompt != nullptr) {
    options.prompt->ShowMessage(
        TranslatedOr(text::kServiceXmlRpcFailureCaption, kXmlRpcFailureCaption), response.ToXml());
  }
  return XmlRpcCallStatus::kFailedResponse;
}

bool CallXmlRpc(const std::string& url, const XmlRpcRequest& request, XmlRpcResponse& response,
                const XmlRpcCallOptions& options) {
  return PerformXmlRpcCall(url, request, response, options) == XmlRpcCallStatus::kOk;
}

}  // namespace tarsel
