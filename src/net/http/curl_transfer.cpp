#include "net/http/curl_transfer.h"

#include <memory>
#include <mutex>

#include "net/http/http_exception.h"

namespace tarsel::HTTP {
namespace {

using Clock = std::chrono::steady_clock;

// libcurl bounds a header block itself; this bound keeps the kept copy small even so.
constexpr size_t kMaxHeaderBlock = 256 * 1024;

struct HeaderListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using HeaderListHandle = std::unique_ptr<curl_slist, HeaderListDeleter>;

void Append(HeaderListHandle& list, const std::string& line) {
  curl_slist* grown = curl_slist_append(list.get(), line.c_str());
  if (grown == nullptr) throw std::bad_alloc();
  list.release();
  list.reset(grown);
}

// The caller's headers, plus lines that keep libcurl from adding headers of its own
// ("Name:" removes a header libcurl would add; "Name;" sends one with an empty value).
HeaderListHandle BuildHeaderList(const CHeaderList& headers, bool post) {
  HeaderListHandle list;
  for (const CHeaderList::Pair& pair : headers.Pairs()) {
    Append(list, pair.second.empty() ? pair.first + ";" : pair.first + ":" + pair.second);
  }
  if (!headers.Contains("Accept")) Append(list, "Accept:");
  if (post && !headers.Contains("Content-Type")) Append(list, "Content-Type:");
  if (post && !headers.Contains("Expect")) Append(list, "Expect:");
  return list;
}

// The schemes credentials may be sent with, to a site or to a proxy.
constexpr long kAuthSchemes = static_cast<long>(CURLAUTH_BASIC | CURLAUTH_DIGEST | CURLAUTH_NTLM);

bool SendsProxyCredentials(const ProxySettings& proxy) {
  return proxy.type != ProxyType::kNone && (!proxy.username.empty() || !proxy.password.empty());
}

}  // namespace

struct CurlTransfer::Round {
  TransferSink* sink = nullptr;
  const std::atomic<bool>* cancel = nullptr;
  std::chrono::milliseconds stall_timeout{0};
  long long low_speed_bytes = 0;
  std::chrono::milliseconds low_speed_time{0};
  std::chrono::milliseconds total_timeout{0};
  Clock::time_point started = Clock::now();
  // The low-speed rule looks at windows of low_speed_time: where the window began, and the
  // bytes moved until then.
  Clock::time_point window_start = started;
  curl_off_t window_bytes = 0;
  Clock::time_point last_activity = started;
  curl_off_t last_down = 0;
  curl_off_t last_up = 0;
  std::string raw;
  bool expecting_status_line = true;
  bool response_started = false;
  bool in_body = false;
  // With credentials libcurl answers a 401 (site) or 407 (proxy) itself and asks again (Digest
  // and NTLM take one or two rounds), so such a refusal is held back until it is clear that no
  // other answer follows.
  bool negotiates_site = false;
  bool negotiates_proxy = false;
  bool holding_refusal = false;
  std::string held_refusal;
  bool stopped = false;
  bool cancelled = false;
  bool stalled = false;
  bool malformed = false;
  std::exception_ptr error;

  void Touch() { last_activity = Clock::now(); }
  // Whether the round has gone on too long or too slowly.
  bool TooSlow(Clock::time_point now);
  // Handles one header line; false ends the round.
  bool HeaderLine(std::string_view line);
};

bool CurlTransfer::Round::HeaderLine(std::string_view line) {
  if (expecting_status_line) {
    raw.clear();
    expecting_status_line = false;
    if (!response_started) {
      response_started = true;
      sink->OnResponseStarted();
    }
  }
  if (line == "\r\n" || line == "\n") {
    int status = 0;
    CHeaderList::ParseResponse(raw, &status);
    if (status >= 100 && status < 200) {  // an interim answer; the real one follows
      expecting_status_line = true;
      return true;
    }
    if ((status == 401 && negotiates_site) || (status == 407 && negotiates_proxy)) {
      held_refusal = raw;
      holding_refusal = true;
      expecting_status_line = true;
      return true;
    }
    holding_refusal = false;
    in_body = true;
    stopped = !sink->OnHeaderBlock(raw);
    return !stopped;
  }
  if (raw.size() + line.size() > kMaxHeaderBlock) {
    malformed = true;
    return false;
  }
  raw.append(line);
  return true;
}

bool CurlTransfer::Round::TooSlow(Clock::time_point now) {
  if (total_timeout.count() > 0 && now - started > total_timeout) return true;
  if (low_speed_bytes <= 0 || low_speed_time.count() <= 0) return false;
  if (now - window_start < low_speed_time) return false;
  const curl_off_t moved = last_down + last_up - window_bytes;
  const long long wanted = low_speed_bytes * low_speed_time.count() / 1000;
  if (moved < wanted) return true;
  window_start = now;
  window_bytes = last_down + last_up;
  return false;
}

CurlTransfer::CurlTransfer() {
  static std::once_flag global_init;
  std::call_once(global_init, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  handle_ = curl_easy_init();
  if (handle_ == nullptr) throw std::bad_alloc();
}

CurlTransfer::~CurlTransfer() {
  curl_easy_cleanup(handle_);
}

std::string CurlTransfer::ProxyText(const ProxySettings& proxy) {
  return proxy.server + ":" + std::to_string(proxy.port);
}

size_t CurlTransfer::HeaderCallback(char* data, size_t size, size_t count, void* user) {
  Round& round = *static_cast<Round*>(user);
  size_t length = size * count;
  round.Touch();
  if (round.in_body) return length;  // trailers of a chunked body
  try {
    return round.HeaderLine(std::string_view(data, length)) ? length : 0;
  } catch (...) {
    round.error = std::current_exception();
    return 0;
  }
}

size_t CurlTransfer::WriteCallback(char* data, size_t size, size_t count, void* user) {
  Round& round = *static_cast<Round*>(user);
  size_t length = size * count;
  round.Touch();
  if (round.holding_refusal) return length;  // the body of a 401 that may be answered
  try {
    round.stopped = !round.sink->OnBody(std::string_view(data, length));
    return round.stopped ? 0 : length;
  } catch (...) {
    round.error = std::current_exception();
    return 0;
  }
}

int CurlTransfer::ProgressCallback(void* user, curl_off_t, curl_off_t down, curl_off_t,
                                   curl_off_t up) {
  Round& round = *static_cast<Round*>(user);
  if (round.cancel->load()) {
    round.cancelled = true;
    return 1;
  }
  const Clock::time_point now = Clock::now();
  if (down != round.last_down || up != round.last_up) {
    round.last_down = down;
    round.last_up = up;
    round.Touch();
  } else if (now - round.last_activity > round.stall_timeout) {
    round.stalled = true;
    return 1;
  }
  if (round.TooSlow(now)) {
    round.stalled = true;
    return 1;
  }
  return 0;
}

void CurlTransfer::SetOptions(const TransferRequest& request, curl_slist* header_list) {
  CURL* h = handle_;
  curl_easy_setopt(h, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  // Bodies arrive as sent: the column download undoes gzip itself.
  curl_easy_setopt(h, CURLOPT_HTTP_CONTENT_DECODING, 0L);
  curl_easy_setopt(h, CURLOPT_USERAGENT, request.agent_name.c_str());
  curl_easy_setopt(h, CURLOPT_HTTPHEADER, header_list);
  if (request.post_body != nullptr && !request.post_body->empty()) {
    curl_easy_setopt(h, CURLOPT_POST, 1L);
    curl_easy_setopt(h, CURLOPT_POSTFIELDS, request.post_body->data());
    curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE,
                     static_cast<curl_off_t>(request.post_body->size()));
  } else {
    curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
  }
  if (request.connect_timeout_ms > 0) {
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request.connect_timeout_ms));
  }
  // The system's settings are the proxy environment variables, which libcurl reads by itself.
  if (request.proxy.type == ProxyType::kNone) {
    curl_easy_setopt(h, CURLOPT_PROXY, "");
  } else if (request.proxy.type == ProxyType::kGiven) {
    curl_easy_setopt(h, CURLOPT_PROXY, ProxyText(request.proxy).c_str());
  }
  if (!request.proxy.username.empty()) {
    curl_easy_setopt(h, CURLOPT_PROXYUSERNAME, request.proxy.username.c_str());
  }
  if (!request.proxy.password.empty()) {
    curl_easy_setopt(h, CURLOPT_PROXYPASSWORD, request.proxy.password.c_str());
  }
  if (SendsProxyCredentials(request.proxy)) {
    // Office proxies ask for Digest or NTLM as often as for Basic; the proxy's 407 names the
    // schemes it takes and libcurl answers with the strongest of these.
    curl_easy_setopt(h, CURLOPT_PROXYAUTH, kAuthSchemes);
  }
  if (request.send_credentials) {
    curl_easy_setopt(h, CURLOPT_USERNAME, request.user_name.c_str());
    curl_easy_setopt(h, CURLOPT_PASSWORD, request.password.c_str());
    // The server's 401 names the schemes it takes; libcurl answers with the strongest of these.
    curl_easy_setopt(h, CURLOPT_HTTPAUTH, kAuthSchemes);
  }
  curl_easy_setopt(h, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
}

TransferOutcome CurlTransfer::Perform(const TransferRequest& request, TransferSink& sink) {
  failure_code_ = 0;
  if (cancel_.load()) return TransferOutcome::kCancelled;
  bool post = request.post_body != nullptr && !request.post_body->empty();
  HeaderListHandle header_list = BuildHeaderList(*request.headers, post);
  curl_easy_reset(handle_);
  SetOptions(request, header_list.get());

  Round round;
  round.sink = &sink;
  round.cancel = &cancel_;
  round.stall_timeout = request.stall_timeout;
  round.low_speed_bytes = request.low_speed_bytes;
  round.low_speed_time = request.low_speed_time;
  round.total_timeout = request.total_timeout;
  round.negotiates_site = request.send_credentials;
  round.negotiates_proxy = SendsProxyCredentials(request.proxy);
  curl_easy_setopt(handle_, CURLOPT_HEADERFUNCTION, &CurlTransfer::HeaderCallback);
  curl_easy_setopt(handle_, CURLOPT_HEADERDATA, &round);
  curl_easy_setopt(handle_, CURLOPT_WRITEFUNCTION, &CurlTransfer::WriteCallback);
  curl_easy_setopt(handle_, CURLOPT_WRITEDATA, &round);
  curl_easy_setopt(handle_, CURLOPT_XFERINFOFUNCTION, &CurlTransfer::ProgressCallback);
  curl_easy_setopt(handle_, CURLOPT_XFERINFODATA, &round);
  curl_easy_setopt(handle_, CURLOPT_NOPROGRESS, 0L);

  CURLcode code = curl_easy_perform(handle_);
  if (round.error) std::rethrow_exception(round.error);
  if (round.holding_refusal && code == CURLE_OK && !round.cancelled && !round.stalled) {
    // No answer to the credentials came after the 401: it stands.
    round.holding_refusal = false;
    round.in_body = true;
    round.stopped = !sink.OnHeaderBlock(round.held_refusal);
  }
  if (round.cancelled) return TransferOutcome::kCancelled;
  if (round.stopped) return TransferOutcome::kStopped;
  if (round.stalled) {
    failure_code_ = ReachedServer() ? kErrorTimeout : kErrorConnect;
    return TransferOutcome::kStalled;
  }
  if (round.malformed) {
    failure_code_ = kErrorSend;
    return TransferOutcome::kFailed;
  }
  if (code != CURLE_OK) {
    long proxy_status = 0;
    curl_easy_getinfo(handle_, CURLINFO_HTTP_CONNECTCODE, &proxy_status);
    failure_code_ = CodeForCurlError(code, proxy_status);
    return TransferOutcome::kFailed;
  }
  return TransferOutcome::kComplete;
}

bool CurlTransfer::ReachedServer() const {
  curl_off_t pretransfer = 0;
  curl_easy_getinfo(handle_, CURLINFO_PRETRANSFER_TIME_T, &pretransfer);
  return pretransfer > 0;
}

int CurlTransfer::CodeForCurlError(CURLcode code, long proxy_status) const {
  if (proxy_status == 407) return kErrorProxyAuthRequired;
  switch (code) {
    case CURLE_URL_MALFORMAT:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
      return kErrorRequest;
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_SSL_CONNECT_ERROR:
      return kErrorConnect;
    case CURLE_OPERATION_TIMEDOUT:
      return ReachedServer() ? kErrorTimeout : kErrorConnect;
    default:  // send and receive failures, malformed, oversized or unsupported answers
      return kErrorSend;
  }
}

}  // namespace tarsel::HTTP
