#include "net/http/url_parts.h"

#include <curl/curl.h>

#include <cstdlib>
#include <memory>

#include "net/http/http_exception.h"

namespace tarsel::HTTP {
namespace {

struct UrlHandleDeleter {
  void operator()(CURLU* handle) const { curl_url_cleanup(handle); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlHandleDeleter>;

// Spaces and bytes above 127 are common in URLs found in feeds; encode them instead of failing.
constexpr unsigned kParseFlags = CURLU_URLENCODE | CURLU_ALLOW_SPACE;

UrlHandle NewHandle() {
  UrlHandle handle(curl_url());
  if (!handle) throw CHttpExeption(kErrorRequest);
  return handle;
}

bool IsMissingPart(CURLUcode code) {
  switch (code) {
    case CURLUE_NO_SCHEME:
    case CURLUE_NO_USER:
    case CURLUE_NO_PASSWORD:
    case CURLUE_NO_OPTIONS:
    case CURLUE_NO_HOST:
    case CURLUE_NO_PORT:
    case CURLUE_NO_QUERY:
    case CURLUE_NO_FRAGMENT:
      return true;
    default:
      return false;
  }
}

// A part of the URL, or empty when the URL has none. A part that is there but cannot be given
// (a credential that decodes to control bytes, say) refuses the URL.
std::string GetPart(CURLU* handle, CURLUPart part, unsigned flags = 0) {
  char* text = nullptr;
  CURLUcode code = curl_url_get(handle, part, &text, flags);
  if (code != CURLUE_OK) {
    if (IsMissingPart(code)) return {};
    throw CHttpExeption(kErrorRequest);
  }
  std::string value(text != nullptr ? text : "");
  curl_free(text);
  return value;
}

CUrlParts PartsOf(CURLU* handle, const std::string& url) {
  CUrlParts parts;
  parts.url = url;
  std::string scheme = GetPart(handle, CURLUPART_SCHEME);
  if (scheme == "https") {
    parts.scheme = UrlScheme::kHttps;
  } else if (scheme != "http") {
    throw CHttpExeption(kErrorRequest);
  }
  parts.host = GetPart(handle, CURLUPART_HOST);
  if (parts.host.empty()) throw CHttpExeption(kErrorRequest);
  parts.port = std::atoi(GetPart(handle, CURLUPART_PORT, CURLU_DEFAULT_PORT).c_str());
  parts.path = GetPart(handle, CURLUPART_PATH);
  std::string query = GetPart(handle, CURLUPART_QUERY);
  if (!query.empty()) parts.extra_info = "?" + query;
  parts.user_name = GetPart(handle, CURLUPART_USER, CURLU_URLDECODE);
  parts.password = GetPart(handle, CURLUPART_PASSWORD, CURLU_URLDECODE);
  curl_url_set(handle, CURLUPART_USER, nullptr, 0);
  curl_url_set(handle, CURLUPART_PASSWORD, nullptr, 0);
  curl_url_set(handle, CURLUPART_FRAGMENT, nullptr, 0);
  parts.fetch_url = GetPart(handle, CURLUPART_URL);
  // A decoded credential holding a line break would end up in a header.
  if (parts.fetch_url.empty() || HasLineBreakOrNul(parts.fetch_url) ||
      HasLineBreakOrNul(parts.user_name) || HasLineBreakOrNul(parts.password)) {
    throw CHttpExeption(kErrorRequest);
  }
  return parts;
}

}  // namespace

bool HasLineBreakOrNul(const std::string& text) {
  return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

CUrlParts CrackUrl(const std::string& url) {
  if (HasLineBreakOrNul(url)) throw CHttpExeption(kErrorRequest);
  UrlHandle handle = NewHandle();
  if (curl_url_set(handle.get(), CURLUPART_URL, url.c_str(), kParseFlags) != CURLUE_OK) {
    throw CHttpExeption(kErrorRequest);
  }
  return PartsOf(handle.get(), url);
}

CUrlParts ResolveLocation(const CUrlParts& base, const std::string& location) {
  if (HasLineBreakOrNul(location)) throw CHttpExeption(kErrorRequest);
  UrlHandle handle = NewHandle();
  // The base carries no credentials, so a relative location never inherits them.
  if (curl_url_set(handle.get(), CURLUPART_URL, base.fetch_url.c_str(), kParseFlags) != CURLUE_OK ||
      curl_url_set(handle.get(), CURLUPART_URL, location.c_str(), kParseFlags) != CURLUE_OK) {
    throw CHttpExeption(kErrorRequest);
  }
  std::string resolved = GetPart(handle.get(), CURLUPART_URL);
  return PartsOf(handle.get(), resolved);
}

}  // namespace tarsel::HTTP
