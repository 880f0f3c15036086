#pragma once

// The call procedure every XML-RPC service client follows: post the request's text to the
// endpoint, read the reply into the response, and show a failed reply to the user.
//
// Runs on the calling thread and blocks it until the HTTP exchange ends. The request declares UTF-8
// (in its XML declaration and its content type), so its texts are UTF-8: callers convert them from
// the program's code page (CodePageToUtf8), and the response's texts back (CodePageFromUtf8).

#include <mutex>
#include <string>

#include "net/http/client_options.h"
#include "platform/notifier.h"
#include "services/xml_rpc_request.h"
#include "services/xml_rpc_response.h"

namespace tarsel {

inline constexpr char kXmlRpcUserAgent[] = "XMLRPC Client 1.0";
inline constexpr char kXmlRpcFailureCaption[] = "postevent error";

namespace HTTP {
class CHttpClient;
}

// Lets another thread stop calls under way: a call made with it registers its HTTP client for
// its duration, and Cancel stops that transfer and every later call made with it. Thread-safe.
class XmlRpcCancel {
 public:
  void Cancel();
  bool Cancelled() const;

  // Used by the call procedure: false when cancelled already.
  bool Attach(HTTP::CHttpClient* client);
  void Detach();

 private:
  mutable std::mutex mutex_;
  HTTP::CHttpClient* client_ = nullptr;
  bool cancelled_ = false;
};

enum class XmlRpcCallStatus {
  kOk,               // the response holds the result
  kTransportFailed,  // the HTTP exchange failed; nothing was shown
  kFailedResponse,   // a fault or an unreadable reply; shown to the user when a prompt is given
};

struct XmlRpcCallOptions {
  HTTP::ClientOptions http;
  std::string user_agent = kXmlRpcUserAgent;
  // Hears the failed reply ("postevent error" and the response as XML); null shows nothing.
  // Not owned.
  UserPrompt* prompt = nullptr;
  // Passed to the HTTP client; 0 keeps its default.
  int connect_timeout_ms = 0;
  // Stops the call from another thread; a cancelled call is a transport failure. Not owned.
  XmlRpcCancel* cancel = nullptr;
};

// Posts request.ToXml() to url with "User-Agent" and "Content-Type: text/xml; charset=utf-8",
// then parses the body into response. Callers that tell the user about transport failures
// themselves tell them apart by the status.
XmlRpcCallStatus PerformXmlRpcCall(const std::string& url, const XmlRpcRequest& request,
                                   XmlRpcResponse& response, const XmlRpcCallOptions& options);

// True when the response holds a result.
bool CallXmlRpc(const std::string& url, const XmlRpcRequest& request, XmlRpcResponse& response,
                const XmlRpcCallOptions& options = {});

}  // namespace tarsel
