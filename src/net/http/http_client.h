#pragma once

// HTTP::CHttpClient fetches one URL at a time into memory over libcurl.
//
// A GET (or a POST when a post body is set) goes out with the caller's extra headers; 301 and
// 302 answers are followed by the client itself (at most kMaxRedirects, a relative location is
// resolved against the current URL); error statuses become CHttpExeption codes; the body is read
// whole into memory, reported to the status observer in steps of kReadStep bytes.
//
// Threads: a client belongs to one thread at a time (each update worker owns its own). Only
// Cancel may be called from another thread. The proxy and the agent name come from the options
// the client was made with.
//
// Texts (URLs, header names and values, the body) are bytes as they travel on the wire.
//
// Codes thrown by Download (see http_exception.h):
//   2  no connection: the host or proxy cannot be resolved or reached, the TLS handshake failed,
//      the connect time-out passed; the body exceeds the size cap (64 MiB)
//   3  the URL holds CR, LF or NUL, cannot be parsed, is not http or https, or a request header
//      holds CR, LF or NUL; a location cannot be resolved; the server's certificate is rejected
//   4  sending or receiving failed (reset, nothing received, truncated body), the response is
//      malformed (bad status line or headers, oversized header block); Cancel() was called
//   6  the server sent nothing for the stall time-out (120 s) after the connection was made,
//      moved fewer than 64 bytes a second over 120 s, or the round took over 10 minutes
//   7, 8, 9  status 401, 407 (also from a proxy refusing a tunnel), 403
//   160 status 404; a 301 or 302 without "location"; more than kMaxRedirects redirects
//   161, 162, 163  status 410, 500, 400
//   164 any status above 500
// Every other status is no error for the client; the caller judges it.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "net/http/client_options.h"
#include "net/http/header_list.h"
#include "net/http/http_exception.h"
#include "net/http/url_parts.h"

namespace tarsel::HTTP {

// What the status observer hears, in the order a download produces them.
enum class HttpStatusEvent : int {
  kOpeningSession = 16,   // before the session opens; parts: the URL parts
  kRequestSent = 3,       // the request is out (the first response line arrived)
  kResponseReceived = 5,  // the response headers were read
  kRedirected = 18,       // a 301 was followed; parts: the new URL's parts (parts->url)
  kReadingBody = 20,      // before the first body read
  kBodyRead = 4,          // after every read; value: bytes read so far
  kBodyComplete = 19,     // the body is complete; value: total bytes
};

// Called as (code, 0, URL text, user value) just before the client throws code.
using ErrorObserver = std::function<void(int code, int value, const std::string& url, void* user)>;
// parts is null except for kOpeningSession and kRedirected.
using StatusObserver =
    std::function<void(HttpStatusEvent event, int64_t value, const CUrlParts* parts, void* user)>;

class CurlTransfer;

class CHttpClient {
 public:
  static constexpr int kDefaultConnectTimeoutMs = 60000;
  static constexpr int kMaxRedirects = 10;
  static constexpr size_t kReadStep = 2048;
  static constexpr long long kMaxBodySize = 64LL * 1024 * 1024;
  static constexpr std::chrono::milliseconds kDefaultStallTimeout{120000};
  static constexpr long long kDefaultLowSpeedBytes = 64;
  static constexpr std::chrono::milliseconds kDefaultLowSpeedTime{120000};
  static constexpr std::chrono::milliseconds kDefaultTotalTimeout{600000};

  explicit CHttpClient(ClientOptions options);
  ~CHttpClient();
  CHttpClient(const CHttpClient&) = delete;
  CHttpClient& operator=(const CHttpClient&) = delete;

  // Appends to the request headers, sent as "name:value" in the order added. A "User-Agent"
  // header replaces the agent name.
  void AddHeader(std::string name, std::string value);
  // A non-empty body makes the request a POST with that body.
  void SetPostBody(std::string body);
  // Site credentials, given as the server asks (Basic, Digest or NTLM). They win over credentials
  // embedded in the URL, and are sent only to the host of the URL given to Download, never to
  // another host a redirect names.
  void SetCredentials(std::string user_name, std::string password);
  // Observers run on the thread calling Download. An exception an observer throws ends the
  // download and leaves Download as it is.
  void SetObservers(ErrorObserver error_observer, StatusObserver status_observer,
                    void* error_user = nullptr, void* status_user = nullptr);
  // 0 means libcurl's default.
  void SetConnectTimeout(int milliseconds) { connect_timeout_ms_ = milliseconds; }
  // How long a transfer may go without any byte moving before it fails with code 6.
  void SetStallTimeout(std::chrono::milliseconds timeout) { stall_timeout_ = timeout; }
  // A transfer moving fewer than `bytes_per_second` over `window` fails with code 6 (0: no
  // rule); so does one that takes longer than the total time-out.
  void SetLowSpeedLimit(long long bytes_per_second, std::chrono::milliseconds window) {
    low_speed_bytes_ = bytes_per_second;
    low_speed_time_ = window;
  }
  void SetTotalTimeout(std::chrono::milliseconds timeout) { total_timeout_ = timeout; }
  // Bodies above this many bytes fail with code 2.
  void SetMaxBodySize(long long bytes) { max_body_size_ = bytes; }

  // Any thread: stops the running Download (code 4) and makes every later Download of this
  // client fail the same way until ClearCancel.
  void Cancel();
  void ClearCancel();

  // Performs the request and fills the body; throws CHttpExeption.
  void Download(const std::string& url);

  int Status() const { return status_; }
  std::string ResponseHeader(std::string_view name) const { return response_headers_.Find(name); }
  const CHeaderList& ResponseHeaders() const { return response_headers_; }
  // The "content-length" response header; 0 when absent or malformed.
  long long ContentLength() const { return content_length_; }
  // kCharsetNone, kCharsetKoi8r, kCharsetUtf8 or kCharsetIso88592 (header_list.h).
  int Charset() const { return charset_; }
  const std::string& Body() const { return body_; }
  // The body, moved out: Body() is empty afterwards.
  std::string TakeBody() { return std::move(body_); }
  size_t BodyLength() const { return body_.size(); }
  int LastError() const { return last_error_; }
  // The parts of the URL last requested (after redirects).
  const CUrlParts& UrlParts() const { return url_parts_; }

 private:
  class Receiver;
  enum class RoundResult { kBody, kRedirect };

  void Reset();
  void TakeUrlCredentials();
  RoundResult RunRound(bool send_credentials);
  void ReadHeaders(std::string_view raw);
  void FollowRedirect(int redirects_followed);
  [[noreturn]] void Fail(int code);
  void Report(HttpStatusEvent event, int64_t value, const CUrlParts* parts = nullptr);

  std::unique_ptr<CurlTransfer> transfer_;
  CHeaderList request_headers_;
  CHeaderList response_headers_;
  std::string post_body_;
  std::string site_user_name_;
  std::string site_password_;
  ErrorObserver error_observer_;
  StatusObserver status_observer_;
  void* error_user_ = nullptr;
  void* status_user_ = nullptr;
  int connect_timeout_ms_ = kDefaultConnectTimeoutMs;
  std::chrono::milliseconds stall_timeout_ = kDefaultStallTimeout;
  long long low_speed_bytes_ = kDefaultLowSpeedBytes;
  std::chrono::milliseconds low_speed_time_ = kDefaultLowSpeedTime;
  std::chrono::milliseconds total_timeout_ = kDefaultTotalTimeout;
  long long max_body_size_ = kMaxBodySize;

  const ClientOptions options_;
  CUrlParts url_parts_;
  std::string agent_name_;
  int status_ = 0;
  long long content_length_ = 0;
  int charset_ = kCharsetNone;
  int last_error_ = 0;
  size_t bytes_read_ = 0;  // what the last kBodyRead reported
  std::string body_;
};

}  // namespace tarsel::HTTP
