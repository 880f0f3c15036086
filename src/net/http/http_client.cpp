#include "net/http/http_client.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "net/http/agent_name.h"
#include "net/http/curl_transfer.h"

namespace tarsel::HTTP {
namespace {

bool SameHost(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// The code an error status is thrown with; 0 for statuses the caller judges.
int CodeForStatus(int status) {
  switch (status) {
    case 400:
      return kErrorBadRequest;
    case 401:
      return kErrorUnauthorized;
    case 403:
      return kErrorForbidden;
    case 404:
      return kErrorNotFound;
    case 407:
      return kErrorProxyAuthRequired;
    case 410:
      return kErrorGone;
    case 500:
      return kErrorServerError;
    default:
      return status > 500 ? kErrorServerOther : 0;
  }
}

bool IsFollowedRedirect(int status) {
  return status == 301 || status == 302;
}

}  // namespace

// Takes the response of one round from the transfer; decides, once the headers are in,
// whether the body is wanted.
class CHttpClient::Receiver : public TransferSink {
 public:
  explicit Receiver(CHttpClient& client) : client_(client) {}
  int pending_code() const { return pending_code_; }

  void OnResponseStarted() override { client_.Report(HttpStatusEvent::kRequestSent, 0); }

  bool OnHeaderBlock(std::string_view raw) override {
    client_.ReadHeaders(raw);
    pending_code_ = CodeForStatus(client_.status_);
    if (pending_code_ != 0 || IsFollowedRedirect(client_.status_)) return false;
    client_.Report(HttpStatusEvent::kReadingBody, 0);
    ReserveAnnouncedLength();
    return true;
  }

  bool OnBody(std::string_view piece) override {
    std::string& body = client_.body_;
    if (static_cast<long long>(body.size() + piece.size()) > client_.max_body_size_) {
      pending_code_ = kErrorTooLarge;
      return false;
    }
    body.append(piece);
    // Reported as reads of kReadStep bytes, whatever pieces the network delivered.
    while (body.size() - client_.bytes_read_ >= kReadStep) {
      client_.bytes_read_ += kReadStep;
      client_.Report(HttpStatusEvent::kBodyRead, static_cast<int64_t>(client_.bytes_read_));
    }
    return true;
  }

 private:
  // A body that grows piece by piece is copied each time it outgrows its room; the announced
  // length (trusted up to a limit, since a server may announce anything) avoids that.
  void ReserveAnnouncedLength() {
    constexpr long long kMaxReserve = 16LL * 1024 * 1024;
    const long long announced = client_.content_length_;
    if (announced > 0 && announced <= std::min(kMaxReserve, client_.max_body_size_)) {
      client_.body_.reserve(static_cast<size_t>(announced));
    }
  }

  CHttpClient& client_;
  int pending_code_ = 0;
};

CHttpClient::CHttpClient(ClientOptions options)
    : transfer_(std::make_unique<CurlTransfer>()), options_(std::move(options)) {}

CHttpClient::~CHttpClient() = default;

void CHttpClient::AddHeader(std::string name, std::string value) {
  request_headers_.Add(std::move(name), std::move(value));
}

void CHttpClient::SetPostBody(std::string body) {
  post_body_ = std::move(body);
}

void CHttpClient::SetCredentials(std::string user_name, std::string password) {
  site_user_name_ = std::move(user_name);
  site_password_ = std::move(password);
}

void CHttpClient::SetObservers(ErrorObserver error_observer, StatusObserver status_observer,
                               void* error_user, void* status_user) {
  error_observer_ = std::move(error_observer);
  status_observer_ = std::move(status_observer);
  error_user_ = error_user;
  status_user_ = status_user;
}

void CHttpClient::Cancel() {
  transfer_->RequestCancel();
}

void CHttpClient::ClearCancel() {
  transfer_->ClearCancel();
}

void CHttpClient::Download(const std::string& url) {
  Reset();
  url_parts_ = CUrlParts();
  url_parts_.url = url;
  try {
    url_parts_ = CrackUrl(url);
  } catch (const CHttpExeption& error) {
    Fail(error.Code());
  }
  for (const CHeaderList::Pair& pair : request_headers_.Pairs()) {
    if (HasLineBreakOrNul(pair.first) || HasLineBreakOrNul(pair.second)) Fail(kErrorRequest);
  }
  TakeUrlCredentials();
  Report(HttpStatusEvent::kOpeningSession, 0, &url_parts_);
  agent_name_ = options_.agent.empty() ? AgentName() : options_.agent;

  const std::string first_host = url_parts_.host;
  for (int redirects = 0;; ++redirects) {
    if (RunRound(SameHost(url_parts_.host, first_host)) == RoundResult::kBody) break;
    FollowRedirect(redirects);
  }
  if (body_.size() > bytes_read_) {
    bytes_read_ = body_.size();
    Report(HttpStatusEvent::kBodyRead, static_cast<int64_t>(bytes_read_));
  }
  Report(HttpStatusEvent::kBodyComplete, static_cast<int64_t>(body_.size()));
}

void CHttpClient::Reset() {
  response_headers_.Clear();
  status_ = 0;
  content_length_ = 0;
  charset_ = kCharsetNone;
  bytes_read_ = 0;
  body_.clear();
}

void CHttpClient::TakeUrlCredentials() {
  if (site_user_name_.empty() && !url_parts_.user_name.empty()) {
    site_user_name_ = url_parts_.user_name;
  }
  if (site_password_.empty() && !url_parts_.password.empty()) {
    site_password_ = url_parts_.password;
  }
}

CHttpClient::RoundResult CHttpClient::RunRound(bool send_credentials) {
  Reset();
  TransferRequest request;
  request.url = url_parts_.fetch_url;
  request.agent_name = agent_name_;
  request.headers = &request_headers_;
  request.post_body = &post_body_;
  request.proxy = options_.proxy;
  request.send_credentials =
      send_credentials && (!site_user_name_.empty() || !site_password_.empty());
  request.user_name = site_user_name_;
  request.password = site_password_;
  request.connect_timeout_ms = connect_timeout_ms_;
  request.stall_timeout = stall_timeout_;
  request.low_speed_bytes = low_speed_bytes_;
  request.low_speed_time = low_speed_time_;
  request.total_timeout = total_timeout_;

  Receiver receiver(*this);
  switch (transfer_->Perform(request, receiver)) {
    case TransferOutcome::kComplete:
      return RoundResult::kBody;
    case TransferOutcome::kStopped:
      if (receiver.pending_code() != 0) Fail(receiver.pending_code());
      return RoundResult::kRedirect;
    case TransferOutcome::kCancelled:
      Fail(kErrorCancelled);
    case TransferOutcome::kStalled:
    case TransferOutcome::kFailed:
      break;
  }
  Fail(transfer_->FailureCode());
}

void CHttpClient::ReadHeaders(std::string_view raw) {
  response_headers_ = CHeaderList::ParseResponse(raw, &status_);
  content_length_ = ParseContentLength(response_headers_.Find("content-length"));
  Report(HttpStatusEvent::kResponseReceived, 0);
  charset_ = CharsetFromContentType(response_headers_.Find("content-type"));
}

void CHttpClient::FollowRedirect(int redirects_followed) {
  std::string location = response_headers_.Find("location");
  if (location.empty() || redirects_followed >= kMaxRedirects) Fail(kErrorNotFound);
  bool permanent = status_ == 301;
  try {
    url_parts_ = ResolveLocation(url_parts_, location);
  } catch (const CHttpExeption& error) {
    Fail(error.Code());
  }
  if (permanent) Report(HttpStatusEvent::kRedirected, 0, &url_parts_);
}

void CHttpClient::Fail(int code) {
  last_error_ = code;
  if (error_observer_) error_observer_(code, 0, url_parts_.url, error_user_);
  throw CHttpExeption(code);
}

void CHttpClient::Report(HttpStatusEvent event, int64_t value, const CUrlParts* parts) {
  if (status_observer_) status_observer_(event, value, parts, status_user_);
}

}  // namespace tarsel::HTTP
