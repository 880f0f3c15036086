#include "net/download/download_column.h"

#include <mutex>
#include <utility>

#include "html/entities.h"
#include "net/download/body_charset.h"
#include "net/download/cache_file_path.h"
#include "net/download/cache_file_write.h"
#include "net/download/gzip_body.h"
#include "net/http/agent_name.h"
#include "net/http/http_client.h"

namespace tarsel {
namespace {

constexpr char kAgentName[] = "Tarsel";
constexpr int kStatusOk = 200;
constexpr int kStatusNotModified = 304;
constexpr int kStatusRequestTimeout = 408;

// The column fields the request is made of, copied under the column's lock.
struct ColumnRequest {
  std::string url;
  std::string login;
  std::string password;
  std::string etag;
  std::string last_modified;
};

ColumnRequest ReadRequest(Column& column) {
  std::lock_guard<std::mutex> lock(column.lock);
  return {column.url, column.login, column.password, column.etag, column.last_modified};
}

bool EqualsNoCase(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != lower[i]) return false;
  }
  return true;
}

void PrepareClient(HTTP::CHttpClient& client, const ColumnRequest& request) {
  client.AddHeader("Accept", "*/*");
  client.AddHeader("Accept-Encoding", "gzip");
  // Sent back exactly as the server gave them.
  if (!request.etag.empty()) client.AddHeader("If-None-Match", request.etag);
  if (!request.last_modified.empty()) {
    client.AddHeader("If-Modified-Since", request.last_modified);
  }
  client.SetCredentials(request.login, request.password);
}

// A permanent redirect moves the subscription for good, as soon as it is seen.
void MoveOnPermanentRedirect(HTTP::CHttpClient& client, Column& column,
                             const DownloadStopper* stopper) {
  client.SetObservers(nullptr, [&column, stopper](HTTP::HttpStatusEvent event, int64_t,
                                                  const HTTP::CUrlParts* parts, void*) {
    if (event != HTTP::HttpStatusEvent::kRedirected || parts == nullptr) return;
    if (stopper != nullptr && stopper->Stopped()) return;
    std::lock_guard<std::mutex> lock(column.lock);
    column.url = MovedColumnUrl(parts->url);
  });
}

// The text the cache file gets: decompressed when the server says gzip, then converted by the
// response's charset. `converted` tells whether a conversion ran.
// The client's body is taken, not copied.
std::string CacheText(HTTP::CHttpClient& client, EncodingChoice encoding, bool& converted) {
  converted = false;
  if (client.Body().empty()) return {};
  std::string text = EqualsNoCase(client.ResponseHeader("content-encoding"), "gzip")
                         ? GunzipBody(client.Body())
                         : client.TakeBody();
  converted = ConvertDownloadedText(text, client.ResponseHeader("content-type"), encoding);
  return text;
}

// A validator that could not go back into a request header would fail every later update of
// the column, so such a value is not kept.
std::string Validator(const HTTP::CHttpClient& client, std::string_view name) {
  std::string value = client.ResponseHeader(name);
  return HTTP::HasLineBreakOrNul(value) ? std::string() : value;
}

// The 200 answer: the cache file is written in place, and only once it is whole do the
// validators change. A write that fails may have emptied the old file, so the validators go
// with it: the next update then fetches the whole body instead of a 304 for a file it lost.
// Returns the text written.
std::string StoreAnswer(Column& column, HTTP::CHttpClient& client, EncodingChoice encoding) {
  bool converted = false;
  std::string text = CacheText(client, encoding, converted);
  std::string path;
  {
    std::lock_guard<std::mutex> lock(column.lock);
    path = CacheFilePath(column);
  }
  const bool written = WriteCacheFile(path, text);
  std::lock_guard<std::mutex> lock(column.lock);
  if (!written) {
    column.etag.clear();
    column.last_modified.clear();
    throw HTTP::CHttpExeption(kErrorCacheFile);
  }
  column.etag = Validator(client, "etag");
  column.last_modified = Validator(client, "last-modified");
  column.charset_converted = converted;
  return text;
}

// Hands the last status to the caller however the download ends.
class StatusReport {
 public:
  StatusReport(const HTTP::CHttpClient& client, int* status) : client_(client), status_(status) {}
  ~StatusReport() {
    if (status_ != nullptr) *status_ = client_.Status();
  }
  StatusReport(const StatusReport&) = delete;
  StatusReport& operator=(const StatusReport&) = delete;

 private:
  const HTTP::CHttpClient& client_;
  int* status_;
};

}  // namespace

std::string MovedColumnUrl(std::string_view new_url) {
  const bool has_scheme = new_url.size() >= 4 && EqualsNoCase(new_url.substr(0, 4), "http");
  return has_scheme ? std::string(new_url) : "http://" + std::string(new_url);
}

bool DownloadColumn(Column& column, const DownloadOptions& options, DownloadStopper* stopper,
                    int* http_status, std::string* stored_text) {
  const ColumnRequest request = ReadRequest(column);
  HTTP::CHttpClient client(options.http);
  StatusReport report(client, http_status);
  PrepareClient(client, request);
  MoveOnPermanentRedirect(client, column, stopper);
  HTTP::SetAgentName(kAgentName);
  {
    AttachedClient attached(stopper, client);
    // Stored URLs may carry the entities of the feed or page they came from.
    client.Download(HTML::DecodeEntities(request.url, CodePageForEncoding(options.encoding),
                                         HTML::EntityContext::kAttribute));
  }
  if (stopper != nullptr && stopper->Stopped()) throw HTTP::CHttpExeption(HTTP::kErrorCancelled);

  switch (client.Status()) {
    case kStatusOk: {
      std::string text = StoreAnswer(column, client, options.encoding);
      if (stored_text != nullptr) *stored_text = std::move(text);
      return true;
    }
    case kStatusNotModified:
      return false;
    case kStatusRequestTimeout:
      throw HTTP::CHttpExeption(HTTP::kErrorTimeout);
    default:
      throw HTTP::CHttpExeption(HTTP::kErrorConnect);
  }
}

}  // namespace tarsel
