#pragma once

// One libcurl easy handle and one round trip on it: the request goes out, the response headers
// are handed over as one raw block, the body arrives in pieces. Used by CHttpClient only; the
// owning client's thread calls everything except RequestCancel, which any thread may call.

#include <curl/curl.h>

#include <atomic>
#include <chrono>
#include <exception>
#include <string>
#include <string_view>

#include "net/http/header_list.h"
#include "settings/settings.h"

namespace tarsel::HTTP {

// What one round sends.
struct TransferRequest {
  std::string url;  // no credentials, no fragment
  std::string agent_name;
  const CHeaderList* headers = nullptr;
  const std::string* post_body = nullptr;  // empty: GET
  ProxySettings proxy;
  bool send_credentials = false;
  std::string user_name;
  std::string password;
  int connect_timeout_ms = 0;  // 0: libcurl's default
  std::chrono::milliseconds stall_timeout{120000};
  // A server that trickles: fewer than low_speed_bytes (per second, up and down together) over
  // low_speed_time fails like a stall; so does a round longer than total_timeout. 0: no rule.
  long long low_speed_bytes = 64;
  std::chrono::milliseconds low_speed_time{120000};
  std::chrono::milliseconds total_timeout{600000};
};

// Receives the response. A callback may throw; the round then ends and Perform rethrows.
class TransferSink {
 public:
  virtual ~TransferSink() = default;
  // The first response line arrived: the request is out.
  virtual void OnResponseStarted() = 0;
  // The final (not 1xx) header block, raw, CR LF line ends. False stops the round here.
  virtual bool OnHeaderBlock(std::string_view raw) = 0;
  // A piece of the body. False stops the round here.
  virtual bool OnBody(std::string_view piece) = 0;
};

enum class TransferOutcome {
  kComplete,   // the whole response was read
  kStopped,    // the sink stopped it
  kCancelled,  // RequestCancel
  kStalled,    // nothing moved for the stall time-out, too little, or for too long
  kFailed,     // libcurl failed; see FailureCode
};

class CurlTransfer {
 public:
  CurlTransfer();
  ~CurlTransfer();
  CurlTransfer(const CurlTransfer&) = delete;
  CurlTransfer& operator=(const CurlTransfer&) = delete;

  TransferOutcome Perform(const TransferRequest& request, TransferSink& sink);

  // After kFailed or kStalled: the client's error code for what went wrong.
  int FailureCode() const { return failure_code_; }

  // Sticky: every round fails as cancelled until ClearCancel.
  void RequestCancel() { cancel_.store(true); }
  void ClearCancel() { cancel_.store(false); }
  bool CancelRequested() const { return cancel_.load(); }

  // The option text for a proxy given by server and port: "%s:%d".
  static std::string ProxyText(const ProxySettings& proxy);

 private:
  struct Round;
  static size_t HeaderCallback(char* data, size_t size, size_t count, void* user);
  static size_t WriteCallback(char* data, size_t size, size_t count, void* user);
  static int ProgressCallback(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t);
  void SetOptions(const TransferRequest& request, curl_slist* header_list);
  bool ReachedServer() const;
  int CodeForCurlError(CURLcode code, long proxy_status) const;

  CURL* handle_ = nullptr;
  std::atomic<bool> cancel_{false};
  int failure_code_ = 0;
};

}  // namespace tarsel::HTTP
